// The milling program: the job's moves (PlanMachining) written one line each; every line ends
// in CR LF.
#pragma once

#include <string>
#include <string_view>

#include "sprocket/job.h"

namespace toothwright {

// The program's name and version, as the preamble names it.
inline constexpr std::string_view kProgramName = "toothwright-cli 2.0";

// The job's program, a line per move of Job::moves: "(<program>: <PartDescription>)" for the
// comment, parentheses turned into brackets and control characters into blanks (a comment ends
// at its first ")"); "G20" or "G21"; "G17 G90 G94"; "G0 X<x>  Y<y>" or "G0 Z<height>" ("Z2.00"
// for the retract without a safe height); "G1 Z-<depth>" and "G1", "G2" or "G3 X<x>  Y<y>"
// [" Z-<ramp depth>"] [" I<i> J<j>"], each feed move followed by " F" and the feed its word
// names, as typed; "G42", "G41", "G40"; "M3 S<spindle as typed>"; "M5"; "M2".
std::string WriteGCode(const Job& job, std::string_view program = kProgramName);

// What the job makes, for the program's first comment: "ANSI 40, 18 teeth, tool 0.125 in,
// depth 0.25 in" (a custom chain as "pitch 0.5 in, roller 0.3125 in"; the tool when the
// program computes its path, the depth when one is set).
std::string PartDescription(const Job& job);

}  // namespace toothwright
