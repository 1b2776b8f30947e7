#include "project/SavedScreenCache.h"

#include "platform/framework/windows/GdiObjects.h"
#include "platform/storage/StorageStream.h"
#include "project/RecDoc.h"

#include <glog/logging.h>

#include <vector>

CSavedScreenCache::CSavedScreenCache(CRecDoc* owner) : m_owner(owner) {}

CSavedScreenCache::~CSavedScreenCache() = default;

CImageSettings* CSavedScreenCache::GetImageSettings(int index) const
{
    CProjectSettings* project = m_owner ? m_owner->GetProjectSettings() : nullptr;
    if (!project || index < 0 || index >= project->GetImageCount())
        return nullptr;
    return &project->GetImage(index);
}

CBitmap* CSavedScreenCache::GetImageBitmap(int index)
{
    const CImageSettings* image = GetImageSettings(index);
    return image ? GetBitmap(image->streamName) : nullptr;
}

CBitmap* CSavedScreenCache::GetBitmap(const CStringW& streamName)
{
    if (const auto it = m_bitmaps.find(streamName); it != m_bitmaps.end())
        return it->second.get();
    std::unique_ptr<CBitmap> bitmap = LoadBitmap(streamName);
    if (!bitmap)
        return nullptr;
    return m_bitmaps.emplace(streamName, std::move(bitmap)).first->second.get();
}

std::unique_ptr<CBitmap> CSavedScreenCache::LoadBitmap(const CStringW& streamName) const
{
    CZcaArchive* archive = m_owner ? m_owner->GetArchive() : nullptr;
    if (!archive || !archive->IsOpen())
        return nullptr;
    std::unique_ptr<CStorageStream> stream;
    // Only read: the picture is never written back through the cache.
    if (!archive->OpenStream(streamName, EStorageAccess::Read, stream) || !stream)
        return nullptr;
    std::vector<unsigned char> bytes(std::size_t(stream->GetLength()));
    std::size_t read = 0;
    const bool complete = bytes.empty() || (stream->Read(bytes.data(), bytes.size(), read) == EStorageResult::Ok &&
                                            read == bytes.size());
    stream->Close();
    auto bitmap = std::make_unique<CBitmap>();
    if (!complete || !bitmap->LoadFromMemory(bytes.data(), read))
        LOG(INFO) << "CSavedScreenCache: stream " << streamName.GetString() << " holds no readable picture";
    return bitmap;
}

void CSavedScreenCache::Purge()
{
    CZcaArchive* archive = m_owner ? m_owner->GetArchive() : nullptr;
    for (auto it = m_bitmaps.begin(); it != m_bitmaps.end();)
    {
        if (!archive || !archive->FindElement(it->first))
            it = m_bitmaps.erase(it);
        else
            ++it;
    }
}
