#pragma once
// The error a report file that could not be written is reported with.
#include "platform/reportengine/ReportEngineError.h"

#include <QFileDevice>

#include <cstdint>

#include "platform/framework/CString.h"

// "The file ... cannot be written: <reason>." The reason is that the disk is full when the
// folder has less room than the file needs (the file device says "Unknown error" when a write
// stops short on a full disk), else what the file device says.
CReportEngineError OutputFileFailure(const QFileDevice& file, const CString& path, std::uint64_t neededBytes);
