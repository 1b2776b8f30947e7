#include "study/CalendarThumbnails.h"

#include "project/AppFolders.h"

#include <bit>
#include <utility>
#include <filesystem>
#include <map>
#include <string>
#include <unordered_map>

namespace {

namespace fs = std::filesystem;

// What this program wrote into the thumbnail folder, for all its calendar pages: the stamp of
// the pictures of each session and granularity (the file-name prefix), and each file as it was
// left. A file that another program or page has replaced since is drawn again.
struct SWrittenFile
{
    std::uint64_t stamp = 0;
    fs::file_time_type time;
    std::uintmax_t size = 0;
};

struct SWrittenPictures
{
    std::map<std::string, std::uint64_t> prefixStamps;
    std::unordered_map<std::string, SWrittenFile> files;
};

SWrittenPictures& WrittenPictures()
{
    static SWrittenPictures written;
    return written;
}

// FNV-1a over 64-bit words.
class CDigest
{
public:
    void Add(std::uint64_t word) { m_value = (m_value ^ word) * 0x100000001B3ull; }
    void Add(double value) { Add(std::bit_cast<std::uint64_t>(value)); }
    std::uint64_t Value() const { return m_value; }

private:
    std::uint64_t m_value = 0xCBF29CE484222325ull;
};

bool UnchangedOnDisk(const std::string& path, const SWrittenFile& written)
{
    std::error_code error;
    const fs::file_time_type time = fs::last_write_time(path, error);
    if (error)
        return false;
    const std::uintmax_t size = fs::file_size(path, error);
    return !error && time == written.time && size == written.size;
}

// A new stamp for the prefix: the files under it show something else and go first (the others
// of the folder stay).
void RenewPrefix(SWrittenPictures& written, const CString& folder, const std::string& name, std::uint64_t stamp)
{
    const std::string prefix = std::string(folder.GetString()) + name;
    if (const auto found = written.prefixStamps.find(prefix); found != written.prefixStamps.end() && found->second == stamp)
        return;
    written.prefixStamps[prefix] = stamp;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder.GetString(), error))
        if (entry.path().filename().string().rfind(name, 0) == 0)
            fs::remove(entry.path(), error);
    std::erase_if(written.files, [&](const auto& file) { return file.first.rfind(prefix, 0) == 0; });
}

} // namespace

CCalendarThumbnails::CCalendarThumbnails() = default;

CString CCalendarThumbnails::Folder()
{
    const CString folder = GetAppDataFolder() + "QuarnCalendarView/";
    std::error_code error;
    fs::create_directories(folder.GetString(), error);
    return folder;
}

void CCalendarThumbnails::Take(CiPlotX& chart, const SessionFlags& present, double lower, double upper,
                               std::vector<PointFeed> feeds)
{
    m_lower = lower;
    m_upper = upper;
    m_chart.RemoveAllChannels();
    m_chart.RemoveAllXAxes();
    m_chart.RemoveAllYAxes();
    m_pointFeeds.clear();
    for (int i = 0; i < chart.GetXAxisCount(); ++i)
        m_chart.AddXAxis(chart.GetXAxis(i)->GetName());
    for (int i = 0; i < chart.GetYAxisCount(); ++i)
        m_chart.AddYAxis(chart.GetYAxis(i)->GetName());
    for (int i = 0; i < chart.GetChannelCount(); ++i) {
        CPlotChannel& taken = *chart.GetChannel(i);
        const int session = chart.FindXAxis(taken.GetXAxisName());
        if (session < 0 || session >= int(present.size()) || !present[std::size_t(session)] || !taken.IsVisible() ||
            !taken.IsEnabled())
            continue;
        CPlotChannel& channel = *m_chart.GetChannel(m_chart.AddChannel(taken.GetName(), taken.GetXAxisName(), taken.GetYAxisName()));
        channel = std::move(taken);
        m_pointFeeds.push_back(i < int(feeds.size()) ? std::move(feeds[std::size_t(i)]) : PointFeed());
    }
    m_sessionDigests = {};
}

std::uint64_t CCalendarThumbnails::SessionDigest(int session)
{
    // Taken when the session's first picture is asked for: the first show draws the pictures of
    // one session, and a year of points is read again for each digest.
    std::optional<std::uint64_t>& stored = m_sessionDigests[std::size_t(session)];
    if (stored)
        return *stored;
    CDigest digest;
    for (int i = 0; i < m_chart.GetChannelCount(); ++i) {
        CPlotChannel& channel = *m_chart.GetChannel(i);
        if (m_chart.FindXAxis(channel.GetXAxisName()) != session)
            continue;
        if (PointFeed& feed = m_pointFeeds[std::size_t(i)]) {
            feed(channel);
            feed = nullptr;
        }
        digest.Add(std::uint64_t(channel.GetColor()) << 8 | std::uint64_t(channel.GetWidth()));
        const double* xs = channel.XData();
        const float* ys = channel.YData();
        for (int k = 0; k < channel.GetCount(); ++k)
            digest.Add(std::uint64_t(std::bit_cast<std::uint32_t>(ys[k])) ^ std::bit_cast<std::uint64_t>(xs[k]));
    }
    stored = digest.Value();
    return *stored;
}

std::uint64_t CCalendarThumbnails::ContentStamp(int session)
{
    CDigest digest;
    digest.Add(SessionDigest(session));
    digest.Add(m_lower);
    digest.Add(m_upper);
    return digest.Value();
}

std::uint64_t CCalendarThumbnails::Stamp(int session, CSize size)
{
    CDigest digest;
    digest.Add(ContentStamp(session));
    digest.Add(std::uint64_t(size.cx) << 32 | std::uint64_t(std::uint32_t(size.cy)));
    return digest.Value();
}

bool CCalendarThumbnails::ProvidePicture(int session, const structCalendarBins& bins, int bin, CSize size)
{
    if (session < 0 || session >= int(m_sessionDigests.size()) || bin < 0 || bin >= bins.count || size.cx < 1 || size.cy < 1)
        return false;
    SWrittenPictures& written = WrittenPictures();
    CString prefix;
    prefix.Format("S%d_%s_", session + 1, CalendarGranularityName(bins.granularity));
    // Other data go with all their pictures; another size only redraws each picture as its bin
    // shows, over its file: the files of the pictures on screen stay while the cells are sized.
    RenewPrefix(written, bins.folder, prefix.GetString(), ContentStamp(session));
    const std::uint64_t stamp = Stamp(session, size);

    const structCalendarBin& record = bins.bins[std::size_t(bin)];
    const std::string path = (bins.folder + record.fileName).GetString();
    if (const auto found = written.files.find(path);
        found != written.files.end() && found->second.stamp == stamp && UnchangedOnDisk(path, found->second))
        return true;
    written.files.erase(path);
    const SPlotThumbnailRequest request{session, record.start, record.width, m_lower, m_upper, int(size.cx), int(size.cy)};
    if (!m_chart.SaveThumbnail(request, CString(path)))
        return false;
    std::error_code timeError;
    std::error_code sizeError;
    const SWrittenFile file{stamp, fs::last_write_time(path, timeError), fs::file_size(path, sizeError)};
    if (timeError || sizeError)
        return false;
    ++m_writtenCount;
    m_writtenBytes += file.size;
    written.files[path] = file;
    return true;
}
