#include "platform/framework/windows/DialogTemplate.h"

#include "platform/framework/StringTable.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/WindowStyles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <glog/logging.h>

#include <map>
#include <mutex>

namespace
{
struct StyleName
{
    const char* name;
    DWORD value;
};
// Dialog-only styles.
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_CENTER = 0x800;
constexpr DWORD DS_CONTROL = 0x400;

constexpr StyleName kStyles[] = {
    {"WS_OVERLAPPED", WS_OVERLAPPED}, {"WS_POPUP", WS_POPUP}, {"WS_CHILD", WS_CHILD}, {"WS_VISIBLE", WS_VISIBLE},
    {"WS_DISABLED", WS_DISABLED}, {"WS_CLIPSIBLINGS", WS_CLIPSIBLINGS}, {"WS_CLIPCHILDREN", WS_CLIPCHILDREN},
    {"WS_CAPTION", WS_CAPTION}, {"WS_BORDER", WS_BORDER}, {"WS_DLGFRAME", WS_DLGFRAME}, {"WS_VSCROLL", WS_VSCROLL},
    {"WS_HSCROLL", WS_HSCROLL}, {"WS_SYSMENU", WS_SYSMENU}, {"WS_THICKFRAME", WS_THICKFRAME}, {"WS_GROUP", WS_GROUP},
    {"WS_TABSTOP", WS_TABSTOP}, {"DS_MODALFRAME", DS_MODALFRAME}, {"DS_SETFONT", DS_SETFONT}, {"DS_CENTER", DS_CENTER},
    {"DS_CONTROL", DS_CONTROL}, {"ES_LEFT", ES_LEFT}, {"ES_CENTER", ES_CENTER}, {"ES_RIGHT", ES_RIGHT},
    {"ES_MULTILINE", ES_MULTILINE}, {"ES_UPPERCASE", ES_UPPERCASE}, {"ES_LOWERCASE", ES_LOWERCASE},
    {"ES_PASSWORD", ES_PASSWORD}, {"ES_AUTOVSCROLL", ES_AUTOVSCROLL}, {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
    {"ES_NOHIDESEL", ES_NOHIDESEL}, {"ES_READONLY", ES_READONLY}, {"ES_WANTRETURN", ES_WANTRETURN},
    {"ES_NUMBER", ES_NUMBER}, {"LBS_NOTIFY", LBS_NOTIFY}, {"LBS_SORT", LBS_SORT}, {"LBS_MULTIPLESEL", LBS_MULTIPLESEL},
    {"LBS_HASSTRINGS", LBS_HASSTRINGS}, {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
    {"LBS_WANTKEYBOARDINPUT", LBS_WANTKEYBOARDINPUT}, {"LBS_EXTENDEDSEL", LBS_EXTENDEDSEL},
    {"CBS_SIMPLE", CBS_SIMPLE}, {"CBS_DROPDOWN", CBS_DROPDOWN}, {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST},
    {"CBS_AUTOHSCROLL", CBS_AUTOHSCROLL}, {"CBS_SORT", CBS_SORT}, {"CBS_HASSTRINGS", CBS_HASSTRINGS},
    {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON}, {"BS_CHECKBOX", BS_CHECKBOX},
    {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX}, {"BS_RADIOBUTTON", BS_RADIOBUTTON}, {"BS_3STATE", BS_3STATE},
    {"BS_AUTO3STATE", BS_AUTO3STATE}, {"BS_GROUPBOX", BS_GROUPBOX}, {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON},
    {"BS_BITMAP", BS_BITMAP}, {"BS_PUSHLIKE", BS_PUSHLIKE},
    {"SS_LEFT", SS_LEFT}, {"SS_CENTER", SS_CENTER}, {"SS_RIGHT", SS_RIGHT}, {"SS_NOTIFY", SS_NOTIFY},
    {"SS_SUNKEN", SS_SUNKEN}, {"SBS_HORZ", SBS_HORZ}, {"SBS_VERT", SBS_VERT}, {"DTS_SHORTDATEFORMAT", DTS_SHORTDATEFORMAT},
    {"DTS_UPDOWN", DTS_UPDOWN}, {"TVS_HASBUTTONS", TVS_HASBUTTONS}, {"TVS_HASLINES", TVS_HASLINES},
    {"TVS_LINESATROOT", TVS_LINESATROOT}, {"TVS_SHOWSELALWAYS", TVS_SHOWSELALWAYS}, {"TVS_CHECKBOXES", TVS_CHECKBOXES}, {"DTS_TIMEFORMAT", DTS_TIMEFORMAT}, {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE},
    {"WS_EX_STATICEDGE", WS_EX_STATICEDGE}, {"WS_EX_TOOLWINDOW", WS_EX_TOOLWINDOW},
};

bool StyleBits(const QJsonValue& value, DWORD& bits)
{
    bits = 0;
    if (value.isUndefined() || value.isNull()) return true;
    if (value.isDouble())
    {
        bits = DWORD(value.toDouble());
        return true;
    }
    for (const QJsonValue& v : value.toArray())
    {
        if (v.isDouble())
        {
            bits |= DWORD(v.toDouble());
            continue;
        }
        const QByteArray name = v.toString().toUtf8();
        const auto it = std::find_if(std::begin(kStyles), std::end(kStyles),
                                     [&](const StyleName& s) { return name == s.name; });
        if (it == std::end(kStyles))
        {
            LOG(INFO) << "Dialog template: unknown style " << name.constData();
            return false;
        }
        bits |= it->value;
    }
    return true;
}

// A text is given as itself or as {"string": id} naming the string table.
CString TextOf(const QJsonValue& value)
{
    if (value.isObject())
    {
        CString text;
        text.LoadString(unsigned(value.toObject().value("string").toInt()));
        return text;
    }
    return CString(value.toString().toStdString());
}

bool RectOf(const QJsonValue& value, CRect& rect)
{
    const QJsonArray a = value.toArray();
    if (a.size() != 4) return false;
    rect = CRect(a[0].toInt(), a[1].toInt(), a[0].toInt() + a[2].toInt(), a[1].toInt() + a[3].toInt());
    return true;
}
} // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const CString& json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(json.GetString(), json.GetLength()), &error);
    if (!doc.isObject())
    {
        LOG(INFO) << "Dialog template: " << error.errorString().toStdString();
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    DialogTemplate t;
    t.id = UINT(o.value("id").toInt());
    t.caption = TextOf(o.value("caption"));
    const QJsonArray size = o.value("size").toArray();
    if (size.size() != 2) return std::nullopt;
    t.size = CSize(size[0].toInt(), size[1].toInt());
    if (!StyleBits(o.value("style"), t.style)) return std::nullopt;
    if (!o.contains("style")) t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const QJsonObject font = o.value("font").toObject();
    t.pointSize = font.value("size").toInt(8);
    t.face = CString(font.value("face").toString().toStdString());
    for (const QJsonValue& v : o.value("controls").toArray())
    {
        const QJsonObject c = v.toObject();
        DialogItemTemplate item;
        item.id = UINT(c.value("id").toInt(-1)) & 0xFFFF;
        item.className = CString(c.value("class").toString().toStdString());
        item.text = TextOf(c.value("text"));
        if (!RectOf(c.value("rect"), item.rect) || item.className.IsEmpty()) return std::nullopt;
        if (!StyleBits(c.value("style"), item.style) || !StyleBits(c.value("exStyle"), item.exStyle)) return std::nullopt;
        item.style |= WS_CHILD;
        if (!c.value("hidden").toBool()) item.style |= WS_VISIBLE;
        if (c.value("disabled").toBool()) item.style |= WS_DISABLED;
        t.items.push_back(std::move(item));
    }
    return t;
}

std::optional<DialogTemplate> LoadDialogTemplate(UINT id)
{
    const QString path = QString::fromStdString(CStringTable::ResourceDir()) + QStringLiteral("/dialogs/%1.json").arg(id);
    // A page builds the same bars each time it is shown: each template is read and parsed once.
    static std::mutex cacheLock;
    static std::map<QString, DialogTemplate> cache;
    {
        const std::lock_guard lock(cacheLock);
        if (const auto found = cache.find(path); found != cache.end()) return found->second;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        LOG(INFO) << "Dialog template " << id << " is missing: " << path.toStdString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    auto t = ParseDialogTemplate(CString(bytes.toStdString()));
    if (!t)
    {
        LOG(INFO) << "Dialog template " << id << " cannot be read";
        return t;
    }
    const std::lock_guard lock(cacheLock);
    cache.emplace(path, *t);
    return t;
}

CRect DialogUnitsToPixels(const CRect& units)
{
    auto x = [](int v) { return (v * kDialogBaseUnitX + (v >= 0 ? 2 : -2)) / 4; };
    auto y = [](int v) { return (v * kDialogBaseUnitY + (v >= 0 ? 4 : -4)) / 8; };
    return CRect(x(units.left), y(units.top), x(units.right), y(units.bottom));
}
