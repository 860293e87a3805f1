# `veltrix optimize` as a user runs it: in place and with -o, misc.set's efficiency, stopping and
# continuing, the tolerance and validation messages, a failed run, usage and file errors.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(fail what)
  message(FATAL_ERROR "${what}")
endfunction()

# Runs the command; sets rc, out and err in the caller.
function(veltrix)
  execute_process(COMMAND ${VELTRIX} --workdir ${WORK} ${ARGN}
    RESULT_VARIABLE code OUTPUT_VARIABLE o ERROR_VARIABLE e)
  set(rc ${code} PARENT_SCOPE)
  set(out "${o}" PARENT_SCOPE)
  set(err "${e}" PARENT_SCOPE)
endfunction()

# The fifth section of a project file, as hexadecimal text.
function(result_section file var)
  file(READ ${file} project HEX)
  string(HEX "[DIA.TLF]\r\n" header)
  string(FIND "${project}" "${header}" start REVERSE)
  string(LENGTH "${header}" headerLength)
  string(LENGTH "${project}" length)
  math(EXPR start "${start} + ${headerLength}")
  math(EXPR size "${length} - 14 - ${start}")
  string(SUBSTRING "${project}" ${start} ${size} section)
  set(${var} "${section}" PARENT_SCOPE)
endfunction()

function(job_file name basic sheets cuts)
  file(WRITE ${WORK}/${name}
    "[BASIC.TLF]\r\n${basic}\r\n[END]\r\n[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n[SHEET.TLF]\r\n${sheets}\r\n[END]\r\n"
    "[CUT.TLF]\r\n${cuts}\r\n[END]\r\n[DIA.TLF]\r\n[END]\r\n")
endfunction()

# An uninterrupted run in place.
file(COPY ${DATA}/cabinet.opt DESTINATION ${WORK})
file(RENAME ${WORK}/cabinet.opt ${WORK}/full.opt)
veltrix(optimize ${WORK}/full.opt --efficiency 3)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^Optimization done\\.\nTotal Layouts: [1-9][0-9]*\nOverall Yield: [0-9]+\\.[0-9][0-9]\n$")
  fail("full run: ${rc} ${out} ${err}")
endif()
result_section(${WORK}/full.opt full)
if(full STREQUAL "")
  fail("full run stored no result")
endif()

# The efficiency from misc.set gives the same run.
file(COPY ${DATA}/cabinet.opt DESTINATION ${WORK})
file(WRITE ${WORK}/misc.set "\"Area\"\r\n0\r\n3\r\n")
veltrix(optimize ${WORK}/cabinet.opt -o ${WORK}/bymisc.opt)
result_section(${WORK}/bymisc.opt bymisc)
if(NOT bymisc STREQUAL full)
  fail("misc.set's efficiency was not used")
endif()
file(REMOVE ${WORK}/misc.set)

# Stopped after iteration 7, then continued from 7: the same plan as the uninterrupted run.
file(COPY ${DATA}/cabinet.opt DESTINATION ${WORK})
veltrix(optimize ${WORK}/cabinet.opt --efficiency 3 --stop-after 7 -o ${WORK}/stopped.opt)
if(NOT rc EQUAL 0 OR NOT out MATCHES "Optimization Stopped\\." OR NOT out MATCHES "--continue-from 7")
  fail("stopped run: ${rc} ${out} ${err}")
endif()
veltrix(optimize ${WORK}/stopped.opt --efficiency 3 --continue-from 7)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^Optimization done\\.")
  fail("continued run: ${rc} ${out} ${err}")
endif()
result_section(${WORK}/stopped.opt continued)
if(NOT continued STREQUAL full)
  fail("stop then continue differs from the uninterrupted run")
endif()

# Tolerance above 10: the message, exit 1, nothing written.
job_file(tol.opt "\"PB\",\"\",\"18\",\"3100\",\"10.5\",\"4\",\"0\",\"\"" "\"2440\",\"1220\",\"5\",\"0\",\"0\",\"0\",\"0\",\"\""
  "\"500\",\"\",\"\",\"\",\"\",\"300\",\"\",\"\",\"\",\"\",\"2\",\"\",\"\",\"\",\"\",\"\",\"\"")
file(READ ${WORK}/tol.opt before HEX)
veltrix(optimize ${WORK}/tol.opt)
file(READ ${WORK}/tol.opt after HEX)
if(NOT rc EQUAL 1 OR NOT err MATCHES "Tolerance should not exceed 10" OR NOT before STREQUAL after)
  fail("tolerance: ${rc} ${out} ${err}")
endif()

# A validation failure: the message, exit 1, no result written.
job_file(wide.opt "\"PB\",\"\",\"18\",\"3100\",\"0\",\"4\",\"0\",\"\"" "\"2440\",\"3200\",\"5\",\"0\",\"0\",\"0\",\"0\",\"\""
  "\"500\",\"\",\"\",\"\",\"\",\"300\",\"\",\"\",\"\",\"\",\"2\",\"\",\"\",\"\",\"\",\"\",\"\"")
file(READ ${WORK}/wide.opt before HEX)
veltrix(optimize ${WORK}/wide.opt)
file(READ ${WORK}/wide.opt after HEX)
if(NOT rc EQUAL 1 OR NOT err MATCHES "No valid SHEETS specified\\." OR NOT before STREQUAL after)
  fail("validation: ${rc} ${out} ${err}")
endif()

# Demand beyond the stock: "Optimization failed.", exit 1, an empty result.
job_file(short.opt "\"PB\",\"\",\"18\",\"3100\",\"0\",\"0\",\"0\",\"\"" "\"1000\",\"1000\",\"1\",\"0\",\"0\",\"0\",\"0\",\"\""
  "\"600\",\"\",\"\",\"\",\"\",\"600\",\"\",\"\",\"\",\"\",\"2\",\"\",\"\",\"\",\"\",\"\",\"\"")
veltrix(optimize ${WORK}/short.opt --efficiency 1)
result_section(${WORK}/short.opt shortResult)
if(NOT rc EQUAL 1 OR NOT out MATCHES "^Optimization failed\\.\nTotal Layouts: 0\nOverall Yield: 0\n" OR NOT shortResult STREQUAL "")
  fail("failed run: ${rc} ${out} ${err}")
endif()

# Usage and file errors: exit 2.
veltrix(optimize ${WORK}/missing.opt)
if(NOT rc EQUAL 2)
  fail("missing job: ${rc}")
endif()
veltrix(optimize ${WORK}/full.opt --objective fastest)
if(NOT rc EQUAL 2)
  fail("bad objective: ${rc}")
endif()
veltrix(optimize ${WORK}/full.opt --efficiency 0)
if(NOT rc EQUAL 2)
  fail("bad efficiency: ${rc}")
endif()
veltrix(optimize ${WORK}/full.opt --efficiency 1 -o ${WORK}/no/such/folder/out.opt)
if(NOT rc EQUAL 2 OR err STREQUAL "")
  fail("unwritable output: ${rc} ${err}")
endif()
string(ASCII 1 2 127 7 control)
file(WRITE ${WORK}/garbage.opt "${control}[BASIC.TLF\n\"\"\",,,\n")
veltrix(optimize ${WORK}/garbage.opt)
if(NOT rc EQUAL 1 OR NOT err MATCHES "Wrong BLADE specfied\\.")
  fail("garbage job: ${rc} ${out} ${err}")
endif()
