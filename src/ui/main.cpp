// veltrix-suite: the desktop program.

#include "ui/desktop.h"

int main(int argc, char** argv) { return veltrix::ui::runDesktop(argc, argv); }
