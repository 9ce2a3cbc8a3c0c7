#pragma once
// Command line of ecam-drive-sim, parsed into SimOptions:
//   --lang en|zh_CN       (taken by the program before this parser)
//   --tcp [HOST:]PORT     serve Modbus TCP (default 127.0.0.1:1502; loopback
//                         unless a host is given)
//   --rtu                 serve RTU on a new pseudo-terminal (path printed)
//   --baud B  --unit N  --line-timing  --catalogue PATH
//   --delay MS  --drop RATE  --close-after N  --seed S
//   --fault N:KIND  (repeatable) a scripted fault for request number N, KIND one of
//                   late[=MS] duplicate[=MS] exception=CODE close bad-frame truncated other-unit
//                   silent ack-no-store (see SimScriptedFault)
// Plain function, any thread.
#include "host/command_line.h"
#include "sim/drive_simulator.h"

#include <string>
#include <vector>

// The simulator's options, for the programs' command-line layer.
QList<QCommandLineOption> SimCommandLineOptions();
// The options of a parsed command line; false (and why) on a bad value.
bool ParseSimCommandLine(const CCommandLine& line, SimOptions& out, std::string* why);
// Both at once: false (and why) on an unknown option or a bad value;
// --help gives false with why set to the usage text.
bool ParseSimArgs(const std::vector<std::string>& args, SimOptions& out, std::string* why);
std::string SimUsage();
// One "N:KIND" text of --fault; false (and why) when it is not one.
bool ParseScriptedFault(const std::string& text, uint64_t& requestNumber, SimScriptedFault& fault,
                        std::string* why);
