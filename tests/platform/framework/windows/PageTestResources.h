#pragma once
// A resource folder of its own for page tests: dialog templates, a menu and a toolbar bitmap
// written for the test, used through ORN_RESOURCE_DIR while the test runs.
#include "support/TempFolder.h"

#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <string>

class CPageTestResources
{
public:
    static constexpr unsigned kFormTemplate = 9102;
    static constexpr unsigned kBarTemplate = 9101;
    static constexpr unsigned kMenu = 9201;

    CPageTestResources()
    {
        const char* old = std::getenv("ORN_RESOURCE_DIR");
        m_old = old ? old : "";
        std::filesystem::create_directories(m_folder.Root() / "toolbars");
        std::filesystem::create_directories(m_folder.Root() / "bitmaps");
        Write("dialogs/9101.json", R"({"id": 9101, "size": [200, 22], "style": ["WS_CHILD"], "controls": [
            {"id": 33061, "class": "BUTTON", "rect": [4, 4, 60, 14], "text": "Apply"},
            {"id": 33062, "class": "BUTTON", "rect": [70, 4, 60, 14], "text": "Checked", "style": ["BS_AUTOCHECKBOX"]},
            {"id": 2001, "class": "EDIT", "rect": [140, 4, 56, 14], "exStyle": ["WS_EX_CLIENTEDGE"]}]})");
        Write("dialogs/9102.json", R"({"id": 9102, "size": [300, 200], "style": ["WS_CHILD"], "controls": [
            {"id": 2101, "class": "STATIC", "rect": [8, 8, 120, 10], "text": "Top of the form"},
            {"id": 2102, "class": "EDIT", "rect": [8, 24, 120, 14], "exStyle": ["WS_EX_CLIENTEDGE"]},
            {"id": 2103, "class": "BUTTON", "rect": [8, 176, 80, 16], "text": "Bottom"}]})");
        Write("menus/9201.json", R"({"id": 9201, "items": [
            {"text": "&View", "items": [{"id": 32823, "text": "Project Manager", "checked": true},
                                        {"separator": true},
                                        {"text": "Studies", "items": [{"id": 32825, "text": "Energy Study"},
                                                                      {"id": 32824, "text": {"string": 990002}, "disabled": true}]}]},
            {"text": "&Help", "items": [{"id": 57664, "text": "About"}]}]})");
        Write("menus/9202.json", R"({"id": 9202, "items": [{"text": "Broken", "items": [{"text": "no id"}]}]})");
        // The program's toolbars, with an image strip for 1510: a coloured shape per button on
        // magenta, which is transparent.
        for (const char* id : {"1510", "1575"})
            std::filesystem::copy_file(std::string(ORN_SOURCE_DIR) + "/resources/toolbars/" + id + ".json",
                                       m_folder.Root() / "toolbars" / (std::string(id) + ".json"));
        QImage strip(16 * 10, 15, QImage::Format_RGB32);
        strip.fill(QColor(255, 0, 255));
        QPainter painter(&strip);
        for (int i = 0; i < 10; ++i)
        {
            painter.setPen(QColor(0, 0, 0));
            painter.setBrush(QColor::fromHsv(i * 36, 200, 220));
            if (i % 2) painter.drawEllipse(i * 16 + 2, 2, 11, 11);
            else painter.drawRect(i * 16 + 2, 2, 11, 10);
        }
        painter.end();
        strip.save(QString::fromStdString(m_folder.Path("bitmaps/1510.png")));
        ::setenv("ORN_RESOURCE_DIR", m_folder.Root().c_str(), 1);
    }
    ~CPageTestResources()
    {
        if (m_old.empty()) ::unsetenv("ORN_RESOURCE_DIR");
        else ::setenv("ORN_RESOURCE_DIR", m_old.c_str(), 1);
    }
    CPageTestResources(const CPageTestResources&) = delete;
    CPageTestResources& operator=(const CPageTestResources&) = delete;

    std::string Path(const std::string& name) const { return m_folder.Path(name); }

private:
    void Write(const std::string& name, const std::string& text)
    {
        const std::string data = text;
        WriteFileBytes(m_folder.Root() / name, std::vector<unsigned char>(data.begin(), data.end()));
    }
    CTempFolder m_folder;
    std::string m_old;
};
