#include "platform/storage/StorageStream.h"

#include <algorithm>
#include <cstring>

#include "platform/storage/CompoundFile.h"

namespace {

// Sizes are 32-bit in a version-3 file, and the file stays below 2 GB.
constexpr std::uint64_t kMaxStreamSize = 0x7FFFFFFF;

} // namespace

CStorageStream::CStorageStream(std::shared_ptr<CCompoundFile> file, std::u16string name, bool writable,
                               std::shared_ptr<SStreamContent> base)
    : m_file(std::move(file)), m_name(std::move(name)), m_writable(writable), m_base(std::move(base))
{
    if (m_base) {
        m_mini = m_base->mini;
        m_units = m_base->units;
        m_owned.assign(m_units.size(), false);
        m_size = m_base->size;
    }
}

CStorageStream::~CStorageStream()
{
    Close();
}

CString CStorageStream::GetName() const
{
    return CString::FromUtf16(m_name);
}

EStorageResult CStorageStream::Close()
{
    if (!m_file)
        return EStorageResult::Ok;
    const std::shared_ptr<CCompoundFile> file = std::move(m_file);
    file->CloseStream(*this);
    m_units.clear();
    m_owned.clear();
    m_base.reset();
    return file->Commit();
}

EStorageResult CStorageStream::Read(void* buffer, std::size_t count, std::size_t& read)
{
    read = 0;
    if (!m_file)
        return EStorageResult::InvalidArgument;
    if (m_position >= m_size || count == 0)
        return EStorageResult::Ok;
    const std::size_t n = std::size_t(std::min<std::uint64_t>(count, m_size - m_position));
    const EStorageResult result = m_file->ReadUnits(m_mini, m_units, m_position, static_cast<std::uint8_t*>(buffer), n);
    if (result != EStorageResult::Ok)
        return result;
    m_position += n;
    read = n;
    return EStorageResult::Ok;
}

EStorageResult CStorageStream::Seek(std::int64_t offset, ESeekOrigin origin, std::uint64_t* position)
{
    if (!m_file)
        return EStorageResult::InvalidArgument;
    const std::int64_t base = origin == ESeekOrigin::Begin ? 0 : std::int64_t(origin == ESeekOrigin::End ? m_size : m_position);
    if ((offset < 0 && base + offset < 0) || (offset > 0 && base > INT64_MAX - offset))
        return EStorageResult::InvalidArgument;
    m_position = std::uint64_t(base + offset);
    if (position)
        *position = m_position;
    return EStorageResult::Ok;
}

EStorageResult CStorageStream::WriteAccess() const
{
    if (!m_file)
        return EStorageResult::InvalidArgument;
    if (!m_writable || m_detached)
        return EStorageResult::AccessDenied;
    if (m_file->m_failed)
        return EStorageResult::IoError;
    return EStorageResult::Ok;
}

EStorageResult CStorageStream::SetSize(std::uint64_t size)
{
    if (const EStorageResult access = WriteAccess(); access != EStorageResult::Ok)
        return access;
    return Resize(size);
}

EStorageResult CStorageStream::Write(const void* data, std::size_t count)
{
    if (const EStorageResult access = WriteAccess(); access != EStorageResult::Ok)
        return access;
    if (count == 0)
        return EStorageResult::Ok;
    if (m_position > kMaxStreamSize || count > kMaxStreamSize - m_position)
        return EStorageResult::TooLarge;
    if (m_position > m_size) {
        // A gap before the write reads as zeros.
        const std::uint64_t target = m_position;
        const std::vector<std::uint8_t> zeros(std::size_t(std::min<std::uint64_t>(target - m_size, 65536)), 0);
        for (m_position = m_size; m_position < target;)
            if (EStorageResult result = Write(zeros.data(), std::size_t(std::min<std::uint64_t>(zeros.size(), target - m_position)));
                result != EStorageResult::Ok)
                return result;
    }
    if (m_position + count > m_size) {
        if (EStorageResult result = Resize(m_position + count); result != EStorageResult::Ok)
            return result;
    }
    const std::uint32_t unitSize = m_file->UnitSize(m_mini);
    const auto* in = static_cast<const std::uint8_t*>(data);
    std::uint64_t pos = m_position;
    std::size_t left = count;
    while (left > 0) {
        const std::size_t k = std::size_t(pos / unitSize);
        const std::uint32_t offset = std::uint32_t(pos % unitSize);
        std::size_t n = std::min<std::size_t>(left, unitSize - offset);
        EStorageResult result;
        if (!m_owned[k]) {
            result = MakeWritable(k, offset, n, in);
        } else {
            if (!m_mini) {
                // Consecutive sectors of this stream are written at once.
                std::size_t next = k + 1;
                while (n < left && next < m_units.size() && m_owned[next] && m_units[next] == m_units[next - 1] + 1) {
                    n += std::min<std::size_t>(unitSize, left - n);
                    ++next;
                }
            }
            result = m_file->WriteUnit(m_mini, m_units[k], offset, in, n);
        }
        if (result != EStorageResult::Ok)
            return result;
        pos += n;
        in += n;
        left -= n;
    }
    m_position = pos;
    m_modified = true;
    return EStorageResult::Ok;
}

EStorageResult CStorageStream::MakeWritable(std::size_t index, std::uint32_t offset, std::size_t count, const std::uint8_t* data)
{
    // A unit of the published content is copied to a new one: the committed file keeps the old.
    const std::uint32_t unitSize = m_file->UnitSize(m_mini);
    std::vector<std::uint8_t> unit(unitSize);
    if (count < unitSize) {
        if (EStorageResult result = m_file->ReadUnits(m_mini, m_units, std::uint64_t(index) * unitSize, unit.data(), unitSize);
            result != EStorageResult::Ok)
            return result;
    }
    std::memcpy(unit.data() + offset, data, count);
    const std::uint32_t fresh = m_file->AllocateUnit(m_mini);
    m_units[index] = fresh;
    m_owned[index] = true;
    return m_file->WriteUnit(m_mini, fresh, 0, unit.data(), unitSize);
}

EStorageResult CStorageStream::ResizeUnits(std::size_t count)
{
    while (m_units.size() > count) {
        if (m_owned.back())
            m_file->FreeUnit(m_mini, m_units.back());
        m_units.pop_back();
        m_owned.pop_back();
    }
    if (count > m_units.size()) {
        if (!m_mini && !m_file->CanGrowBy(count - m_units.size()))
            return EStorageResult::TooLarge;
        while (m_units.size() < count) {
            m_units.push_back(m_file->AllocateUnit(m_mini));
            m_owned.push_back(true);
        }
    }
    return EStorageResult::Ok;
}

EStorageResult CStorageStream::Resize(std::uint64_t size)
{
    if (size > kMaxStreamSize)
        return EStorageResult::TooLarge;
    const bool mini = size < cfb::kMiniStreamCutoff;
    if (mini == m_mini) {
        const std::uint32_t unitSize = m_file->UnitSize(m_mini);
        if (EStorageResult result = ResizeUnits(std::size_t((size + unitSize - 1) / unitSize)); result != EStorageResult::Ok)
            return result;
    } else {
        // Crossing the mini stream cutoff moves the bytes (at most 4 KB) to the other kind of sector.
        std::vector<std::uint8_t> kept(std::size_t(std::min(size, m_size)));
        if (EStorageResult result = m_file->ReadUnits(m_mini, m_units, 0, kept.data(), kept.size()); result != EStorageResult::Ok)
            return result;
        const std::uint32_t unitSize = m_file->UnitSize(mini);
        if (!mini && !m_file->CanGrowBy((size + unitSize - 1) / unitSize))
            return EStorageResult::TooLarge;
        ResizeUnits(0);
        m_mini = mini;
        ResizeUnits(std::size_t((size + unitSize - 1) / unitSize));
        for (std::size_t done = 0; done < kept.size(); done += unitSize) {
            const std::size_t n = std::min<std::size_t>(unitSize, kept.size() - done);
            if (EStorageResult result = m_file->WriteUnit(m_mini, m_units[done / unitSize], 0, kept.data() + done, n);
                result != EStorageResult::Ok)
                return result;
        }
    }
    m_size = size;
    m_modified = true;
    return EStorageResult::Ok;
}
