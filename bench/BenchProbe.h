#pragma once
// A probe program run in a process of its own, so that what it measures is a first time: the
// program's pages and the project's sessions as a user meets them after starting it.
#include <map>
#include <string>
#include <vector>

// Runs `probe '<copy>' <arguments>` on a copy of the project (each run meets the project as it was
// made: a run stores its pages' settings in its copy) at a device pixel ratio, on a desktop screen
// that holds the program's window at every ratio. Returns the "name value" lines it printed;
// empty when it failed.
std::map<std::string, double> RunProbeOnProject(const char* probe, const std::string& project, double ratio,
                                                const std::string& arguments = {});

// Runs the first-load probe: `mode` ("load", "read", "prefaulted" or "stream") on the file,
// `repeat` times in one process; the milliseconds of each run, empty when it failed. `cpu`, when
// given, gets the processor time of each run.
std::vector<double> RunLoadProbe(const std::string& mode, const std::string& path, int repeat,
                                 std::vector<double>* cpu = nullptr);
