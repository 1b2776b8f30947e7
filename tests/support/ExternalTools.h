#pragma once
// Reading report files back with the tools of the system: pdftotext and pdfinfo for PDF, a
// headless office suite for rich text. Tests skip when a tool is not installed.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>

inline bool HasTool(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// The standard output of the command; nothing when it failed.
inline std::optional<std::string> RunTool(const std::string& command)
{
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string output;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), n);
    return ::pclose(pipe) == 0 ? std::optional<std::string>(output) : std::nullopt;
}

inline std::string PdfText(const std::string& pdf)
{
    return RunTool("pdftotext -layout '" + pdf + "' -").value_or("");
}

inline int PdfPageCount(const std::string& pdf)
{
    std::string info = RunTool("pdfinfo '" + pdf + "'").value_or("");
    std::smatch match;
    return std::regex_search(info, match, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(match[1]) : -1;
}

inline std::string OfficeTool()
{
    return HasTool("soffice") ? "soffice" : HasTool("libreoffice") ? "libreoffice" : "";
}

// The document converted by the office suite into `format` ("txt:Text", "pdf") in the folder;
// the path of the converted file, empty when the conversion failed.
inline std::string OfficeConvert(const std::string& document, const std::string& format, const std::filesystem::path& folder)
{
    std::string profile = "file://" + (folder / "office-profile").string();
    std::string command = OfficeTool() + " -env:UserInstallation=" + profile + " --headless --convert-to '" + format +
                          "' --outdir '" + folder.string() + "' '" + document + "' >/dev/null";
    if (!RunTool(command))
        return {};
    std::string extension = format.substr(0, format.find(':'));
    auto converted = folder / std::filesystem::path(document).filename().replace_extension(extension);
    return std::filesystem::exists(converted) ? converted.string() : std::string();
}

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
