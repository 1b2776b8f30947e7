#pragma once
// Reading report files back with the tools of the system: pdftotext and pdfinfo for PDF, a
// headless office suite for rich text. Tests skip when a tool is not installed.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

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

// The words of one page of a PDF, line by line across the page as it reads.
inline std::vector<std::string> PdfPageWords(const std::string& pdf, int page)
{
    const std::string number = std::to_string(page);
    std::istringstream text(RunTool("pdftotext -layout -f " + number + " -l " + number + " '" + pdf + "' -").value_or(""));
    std::vector<std::string> words;
    for (std::string word; text >> word;)
        words.push_back(word);
    return words;
}

// Where the office suite's reading of a rich-text file departs from a PDF of the same report:
// the page counts, or the first page whose words or their order differ; empty when both agree.
inline std::string OfficeReadingDiffers(const std::string& rtf, const std::string& pdf, const std::filesystem::path& folder)
{
    const std::string office = OfficeConvert(rtf, "pdf", folder);
    if (office.empty())
        return "the office suite did not convert " + rtf;
    const int pages = PdfPageCount(pdf);
    if (PdfPageCount(office) != pages)
        return std::to_string(PdfPageCount(office)) + " pages in the office suite, " + std::to_string(pages) + " in the PDF";
    for (int page = 1; page <= pages; ++page)
    {
        const std::vector<std::string> expected = PdfPageWords(pdf, page);
        const std::vector<std::string> read = PdfPageWords(office, page);
        std::size_t same = 0;
        while (same < expected.size() && same < read.size() && expected[same] == read[same])
            ++same;
        if (same == expected.size() && same == read.size())
            continue;
        auto from = [same](const std::vector<std::string>& words) {
            std::string shown;
            for (std::size_t i = same > 3 ? same - 3 : 0; i < std::min(words.size(), same + 4); ++i)
                shown += (i == same ? " >>" : " ") + words[i];
            return shown;
        };
        return "page " + std::to_string(page) + ", word " + std::to_string(same + 1) + ": PDF" + from(expected) +
               " | office suite" + from(read);
    }
    return {};
}

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
