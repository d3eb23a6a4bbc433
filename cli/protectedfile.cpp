#include "protectedfile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace folivex::cli {

namespace {

// A document so large is read no further: its header says enough.
constexpr std::size_t kLargest = 256u << 20;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;

std::uint32_t le32(const std::string &b, std::size_t at)
{
    if (at + 4 > b.size())
        return kEndOfChain;
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

std::uint16_t le16(const std::string &b, std::size_t at)
{
    if (at + 2 > b.size())
        return 0;
    std::uint16_t v = 0;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

// The compound file format ([MS-CFB]): a 512-byte header, then sectors
// chained through the FAT; small streams live in 64-byte mini sectors of the
// root entry's stream, chained through the mini FAT.
class CompoundFile {
public:
    explicit CompoundFile(std::string bytes) : b_(std::move(bytes))
    {
        static const char kMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
        if (b_.size() < 512 || b_.compare(0, 8, kMagic, 8) != 0)
            return;
        const unsigned shift = le16(b_, 0x1E);
        if (shift != 9 && shift != 12)
            return;
        sector_ = std::size_t(1) << shift;
        // The FAT's sectors: 109 in the header, the rest in the DIFAT chain.
        std::vector<std::uint32_t> fatSectors;
        for (std::size_t i = 0; i < 109; ++i)
            fatSectors.push_back(le32(b_, 0x4C + 4 * i));
        std::uint32_t difat = le32(b_, 0x44);
        for (int guard = 0; difat < kEndOfChain - 8 && guard < 100000; ++guard) {
            const std::size_t at = offsetOf(difat);
            for (std::size_t i = 0; i + 1 < sector_ / 4; ++i)
                fatSectors.push_back(le32(b_, at + 4 * i));
            difat = le32(b_, at + sector_ - 4);
        }
        for (const std::uint32_t s : fatSectors) {
            if (s >= kEndOfChain - 8)
                continue;
            const std::size_t at = offsetOf(s);
            for (std::size_t i = 0; i < sector_ / 4; ++i)
                fat_.push_back(le32(b_, at + 4 * i));
        }
        directory_ = chain(
            le32(b_, 0x30), fat_, sector_, [&](std::uint32_t s) { return offsetOf(s); }, b_);
        if (directory_.size() >= 128) {
            const std::string &root = directory_;
            ministream_ = chain(
                le32(root, 0x74), fat_, sector_, [&](std::uint32_t s) { return offsetOf(s); }, b_);
            miniFat_ = toWords(chain(
                le32(b_, 0x3C), fat_, sector_, [&](std::uint32_t s) { return offsetOf(s); }, b_));
        }
        valid_ = !directory_.empty();
    }

    bool valid() const { return valid_; }

    // The stream of that name in the directory (any storage), its first
    // `limit` bytes; empty when there is none.
    bool has(const std::string &name) const { return entryOf(name) != std::string::npos; }
    std::string stream(const std::string &name, std::size_t limit) const
    {
        const std::size_t entry = entryOf(name);
        if (entry == std::string::npos)
            return {};
        const std::uint32_t start = le32(directory_, entry + 0x74);
        const std::size_t size = le32(directory_, entry + 0x78);
        std::string data =
            size < le32(b_, 0x38)
                ? chain(
                      start, miniFat_, 64, [](std::uint32_t s) { return std::size_t(s) * 64; }, ministream_)
                : chain(
                      start, fat_, sector_, [&](std::uint32_t s) { return offsetOf(s); }, b_);
        data.resize(std::min({data.size(), size, limit}));
        return data;
    }

private:
    std::size_t offsetOf(std::uint32_t s) const { return (std::size_t(s) + 1) * sector_; }

    static std::vector<std::uint32_t> toWords(const std::string &bytes)
    {
        std::vector<std::uint32_t> words;
        for (std::size_t at = 0; at + 4 <= bytes.size(); at += 4)
            words.push_back(le32(bytes, at));
        return words;
    }

    // The sectors of a chain, joined; a chain that leaves the file or loops ends there.
    template <typename Offset>
    static std::string chain(std::uint32_t start, const std::vector<std::uint32_t> &table, std::size_t size,
                             Offset offset, const std::string &from)
    {
        std::string out;
        for (std::uint32_t s = start; s < table.size() && out.size() < kLargest; s = table[s]) {
            const std::size_t at = offset(s);
            if (at + size > from.size())
                break;
            out.append(from, at, size);
            if (out.size() > table.size() * size)
                break;
        }
        return out;
    }

    std::size_t entryOf(const std::string &name) const
    {
        for (std::size_t at = 0; at + 128 <= directory_.size(); at += 128) {
            const std::size_t length = le16(directory_, at + 0x40);
            if (directory_[at + 0x42] != 2 || length != 2 * (name.size() + 1))
                continue;
            bool same = true;
            for (std::size_t i = 0; i < name.size() && same; ++i)
                same = le16(directory_, at + 2 * i) == static_cast<unsigned char>(name[i]);
            if (same)
                return at;
        }
        return std::string::npos;
    }

    std::string b_;
    std::size_t sector_ = 512;
    std::vector<std::uint32_t> fat_, miniFat_;
    std::string directory_, ministream_;
    bool valid_ = false;
};

// A PowerPoint 97-2003 CurrentUserAtom: its header token at offset 12 is
// 0xF3D1C4DF when the presentation is encrypted.
bool powerPointEncrypted(const std::string &currentUser)
{
    return le32(currentUser, 12) == 0xF3D1C4DF;
}

// A Word 97-2003 file information block: wIdent 0xA5EC, fEncrypted in the
// flags at offset 10.
bool wordEncrypted(const std::string &fib)
{
    return fib.size() >= 12 && le16(fib, 0) == 0xA5EC && (le16(fib, 10) & 0x0100);
}

// The records of a workbook's globals substream, up to its EOF record.
bool excelEncrypted(const std::string &stream)
{
    for (std::size_t at = 0; at + 4 <= stream.size();) {
        const std::uint16_t type = le16(stream, at), length = le16(stream, at + 2);
        if (type == 0x002F) // FILEPASS
            return true;
        if (type == 0x000A) // EOF
            return false;
        at += 4 + length;
    }
    return false;
}

} // namespace

bool IsPasswordProtected(const std::string &path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    in.seekg(0);
    std::string bytes;
    bytes.resize(std::min<std::size_t>(size > 0 ? std::size_t(size) : 0, kLargest));
    in.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    const CompoundFile file(std::move(bytes));
    if (!file.valid())
        return false;
    if (file.has("EncryptionInfo") || file.has("EncryptedSummary") ||
        powerPointEncrypted(file.stream("Current User", 16)))
        return true;
    if (wordEncrypted(file.stream("WordDocument", 16)))
        return true;
    return excelEncrypted(file.stream("Workbook", 1u << 16)) || excelEncrypted(file.stream("Book", 1u << 16));
}

} // namespace folivex::cli
