#pragma once
// Cutting instructions for a beam panel saw run by the NPS400 Control program: the guillotine cuts
// of one layout in sawing order, each with its stage code, position and repeat; the instruction
// table controller.tlf; and the transfer that types the whole program into NPS400 Control.
//
//     const SawInstructions saw = buildSawInstructions(result, 2);
//     std::cout << sawInstructionListing(saw, false);
//     if (saw.transferEnabled) transferToController(saw, *keys::openDesktopKeySender(), {});
//
// Stage codes follow the saw's hierarchy: on the whole sheet a full-width cut across is a
// "Rip Cut" (4) and a full-length cut a "Head Cut" (1); strips of a head strip are divided by
// "Rip in Head" (2), "Cross in Head" (3), "Recut Z in Head" (7) and "Recut W in Head" (9); strips
// of rip cuts by "Cross Cut" (5), "Recut Z" (6) and "Recut W" (8). A cut the saw has no stage for
// gets code 0.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "table/grid_table.h"

namespace veltrix::engine {
struct LoadedResult;
}
namespace veltrix::keys {
class KeySender;
}

namespace veltrix::reports {

inline constexpr const char* kControllerFile = "controller.tlf";
inline constexpr const char* kControllerWindowTitle = "NPS400 - NPS400 Control - Main Menu";
inline constexpr const char* kSawInstructionsCaption = "Cutting instructions for NPS400 Control";
inline constexpr const char* kTrimErrorMessage =
    "Error in trim. Please specify correct margins in Veltrix and optimize again";
inline constexpr const char* kPastLastStageMessage =
    "This layout needs cuts past the last stage of NPS400 Control (code 0): cut them by hand; the transfer is off.";
inline constexpr const char* kControllerNotReadyMessage =
    "Controller software not ready. Please start controller software and keep on ready mode.";

// The stage code of a cut that the saw's stages cannot express; cut by hand.
inline constexpr int kPastLastStage = 0;

struct CutInstruction {
    int code = 0;        // 0 .. 9
    float position = 0;  // distance of the cut from the edge of the strip, a whole number
    int repeat = 1;      // the same cut made this many times in a row
    bool operator==(const CutInstruction&) const = default;
};

// The name of a stage code: "Head Cut" .. "Recut W in Head", "Past last stage" for 0.
std::string cutCodeName(int code);

// One step of the transfer: a key string to send, or a wait of some seconds.
struct TransferStep {
    bool wait = false;
    std::string keys;     // the key string, when not a wait
    int waitSeconds = 0;  // the wait, when a wait

    static TransferStep send(std::string text) { return TransferStep{false, std::move(text), 0}; }
    static TransferStep pause(int seconds) { return TransferStep{true, {}, seconds}; }
    bool operator==(const TransferStep&) const = default;
};

struct SawInstructions {
    int layout = 0;
    // The labels of the instruction window, as shown.
    std::string length;     // inner sheet length (sheet item extent less the kerf)
    std::string width;      // inner sheet width
    std::string thickness;  // the job's thickness
    std::string sheets;     // sheets cut with the layout
    std::string trim;       // the trim; "0" when the margins give a negative one
    std::string trimZW = "0";
    std::string rest = "0";
    std::string material;
    std::vector<std::string> messages;  // for the user, in order (trim error, cuts past the last stage)
    std::vector<CutInstruction> rows;
    bool transferEnabled = true;
    // The key strings and waits typed into NPS400 Control after its window is activated.
    std::vector<TransferStep> transfer;
};

// The instructions of layout `layout` (1 .. result.layoutCount()) of a loaded result. Throws
// std::out_of_range for a layout that is not in the result.
SawInstructions buildSawInstructions(const engine::LoadedResult& result, int layout);

// The instruction table: columns CODE, POSITION, REPEAT, DESCRIP, one row per instruction, and a
// blank row at the end. controller.tlf is its saveText().
GridTable controllerGrid(const SawInstructions& saw);
std::string controllerTableText(const SawInstructions& saw);

// The instructions as the command line lists them, lines ended by LF: the labels (LENGTH, WIDTH,
// THICKNESS, SHEETS, TRIM, TRIMZW, REST), a MESSAGE line per message, the table (ROW, CODE,
// POSITION, REPEAT, DESCRIP), then TRANSFER with a SEND or WAIT line per step, or "TRANSFER\tOFF"
// when the transfer is disabled. With `events`, each SEND line is followed by the key events of
// its key string, one a line, indented by a tab.
std::string sawInstructionListing(const SawInstructions& saw, bool events);
// buildSawInstructions then the listing.
std::string sawInstructionListing(const engine::LoadedResult& result, int layout, bool events);

struct TransferOptions {
    bool waits = true;  // false: the waits are left out (trying the transfer against a stand-in window)
    // Called after every key string and repeatedly during the waits, so that the caller's user
    // interface stays responsive.
    std::function<void()> processEvents;
};

// Why the transfer is off: the last of the instructions' messages.
std::string transferOffMessage(const SawInstructions& saw);

// Types the program into NPS400 Control: activates its window, then sends every step in order.
// Returns nothing when done, else the message for the user (kControllerNotReadyMessage when the
// window cannot be activated or a key string cannot be sent). A disabled transfer sends nothing and
// returns the last of the instructions' messages.
std::optional<std::string> transferToController(const SawInstructions& saw, keys::KeySender& sender,
                                                const TransferOptions& options);

}  // namespace veltrix::reports
