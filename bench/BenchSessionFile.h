#pragma once
// Session files the benchmarks load: written once per process into the temporary folder and
// removed when the process ends.
#include <cstddef>
#include <string>

// A session of `records` trend records in the logger's own (big-endian) byte order or in host
// order, with the given averaging and demand intervals.
const std::string& BenchSessionFile(int records, int averagingSeconds, int demandSeconds, bool bigEndian);

// Reads the whole file into memory, the yardstick a load is measured against; returns the bytes read.
std::size_t PlainRead(const std::string& path);
