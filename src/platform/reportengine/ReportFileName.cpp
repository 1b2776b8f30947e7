#include "platform/reportengine/ReportFileName.h"

#include "platform/framework/FileDialogService.h"
#include "platform/framework/MessageBoxService.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

namespace
{
constexpr const char* kReportExtensions[] = {"pdf", "rtf"};
constexpr unsigned kReplaceFileText = 20020; // "%s already exists.\nDo you want to replace it?"

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}
} // namespace

CString WithReportExtension(const CString& path, const CString& extension)
{
    const std::string& whole = path.str();
    const std::size_t slash = whole.find_last_of("/\\");
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = whole.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot >= name;
    const std::string typed = hasExtension ? Lower(whole.substr(dot + 1)) : std::string();
    if (hasExtension && typed == Lower(extension.str()))
        return path;
    const bool otherFormat = std::any_of(std::begin(kReportExtensions), std::end(kReportExtensions),
                                         [&typed](const char* known) { return typed == known; });
    // A name ending with a bare dot takes the extension after it.
    const bool replaced = hasExtension && (otherFormat || typed.empty());
    const std::string stem = replaced ? whole.substr(0, dot) : whole;
    return CString((stem + "." + extension.str()).c_str());
}

bool ChooseReportFile(const SFileDialogRequest& request, CString& path)
{
    CString typed;
    if (!RunFileDialog(request, typed))
        return false;
    path = WithReportExtension(typed, request.defaultExtension);
    if (path == typed || !std::filesystem::exists(std::filesystem::path(path.str())))
        return true;
    CString question;
    question.LoadString(kReplaceFileText);
    return AfxMessageBox(CString::Formatted(question.GetString(), path).GetString(), MB_YESNO | MB_ICONEXCLAMATION) ==
           IDYES;
}
