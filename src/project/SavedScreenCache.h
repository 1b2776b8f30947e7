#pragma once
// The decoded pictures of a project's saved screens, one per image stream of the archive, for the
// grids that draw their thumbnails: each stream is read and decoded once, and Purge frees the
// pictures of streams that have left the archive. A stream replaced under the same name keeps
// its old picture until it has been purged.
#include "platform/framework/CString.h"

#include <map>
#include <memory>

class CBitmap;
class CImageSettings;
class CRecDoc;

class CSavedScreenCache
{
public:
    explicit CSavedScreenCache(CRecDoc* owner);
    ~CSavedScreenCache();
    CSavedScreenCache(const CSavedScreenCache&) = delete;
    CSavedScreenCache& operator=(const CSavedScreenCache&) = delete;

    // Image i of the owner's project; null without project or for an index outside the list.
    CImageSettings* GetImageSettings(int index) const;
    // Null when there is no such image or its stream cannot be read.
    CBitmap* GetImageBitmap(int index);
    CBitmap* GetBitmap(const CStringW& streamName);
    // Drops the pictures whose stream the archive's element list no longer holds.
    void Purge();

    int GetCachedCount() const { return int(m_bitmaps.size()); }

private:
    // A new picture read from the stream; one without pixels when the content is no picture;
    // null when there is no archive or the stream does not open.
    std::unique_ptr<CBitmap> LoadBitmap(const CStringW& streamName) const;

    CRecDoc* m_owner;
    std::map<CStringW, std::unique_ptr<CBitmap>> m_bitmaps;
};
