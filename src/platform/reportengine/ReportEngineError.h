#pragma once
// The one failure the report engine reports: a template that cannot be read, a data set the
// template names but nobody bound, a picture that cannot be loaded, an output file that cannot
// be written. The text says what failed and is meant for the user.
#include <stdexcept>
#include <string>

// The caption of the box that shows such a failure.
inline constexpr const char* kReportEngineErrorCaption = "Component Object Model error";

class CReportEngineError : public std::runtime_error
{
public:
    explicit CReportEngineError(const std::string& message) : std::runtime_error(message) {}
};
