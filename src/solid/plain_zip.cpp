// libzip reads the archive from memory and writes the new one into a memory source. Its
// sources and archives follow one rule: whoever is handed one frees it, unless the call that
// takes it fails, when it stays with the caller.
#include "solid/plain_zip.h"

#include <zip.h>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace toothwright {
namespace {

// An MS-DOS date: (year - 1980) << 9 | month << 5 | day; 0 is no valid date (month 0).
constexpr zip_uint16_t kDosDate = 1 << 5 | 1;  // 1980-01-01
constexpr zip_uint16_t kDosTime = 0;           // 00:00:00
// zlib's own default: libzip's (9) takes some seven times as long for a few per cent less.
constexpr zip_uint32_t kDeflateLevel = 6;

struct Discard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, Discard>;

struct Free {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, Free>;

Source MemorySource(const void* data, std::size_t size) {
  return Source(zip_source_buffer_create(data, size, 0, nullptr));
}

// The archive on a source, which it takes when it opens; nothing when it does not.
Archive Open(Source& source, int flags) {
  Archive archive(zip_open_from_source(source.get(), flags, nullptr));
  if (archive) (void)source.release();
  return archive;
}

std::optional<std::string> Contents(zip_t* archive, zip_uint64_t index) {
  zip_stat_t stat;
  if (zip_stat_index(archive, index, 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0) {
    return std::nullopt;
  }
  zip_file_t* file = zip_fopen_index(archive, index, 0);
  if (file == nullptr) return std::nullopt;
  std::string bytes(stat.size, '\0');
  // Reading checks the entry's CRC at its end.
  const zip_int64_t read = zip_fread(file, bytes.data(), bytes.size());
  const bool whole = read >= 0 && static_cast<zip_uint64_t>(read) == stat.size;
  if (zip_fclose(file) != 0 || !whole) return std::nullopt;
  return bytes;
}

// The written bytes held by a source an archive was closed on.
std::optional<std::string> Bytes(zip_source_t* source) {
  zip_stat_t stat;
  if (zip_source_stat(source, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
      zip_source_open(source) != 0) {
    return std::nullopt;
  }
  std::string bytes(stat.size, '\0');
  const zip_int64_t read = zip_source_read(source, bytes.data(), bytes.size());
  zip_source_close(source);
  if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<std::string> PlainZip(std::string_view archive) {
  Source in_source = MemorySource(archive.data(), archive.size());
  if (!in_source) return std::nullopt;
  const Archive in = Open(in_source, ZIP_RDONLY);
  if (!in) return std::nullopt;
  const zip_int64_t count = zip_get_num_entries(in.get(), 0);
  if (count < 0) return std::nullopt;

  // The new archive's entries point into these until it is closed; reserved in full, so that
  // none moves (short strings hold their bytes inside).
  std::vector<std::string> contents;
  contents.reserve(static_cast<std::size_t>(count));
  Source out_source = MemorySource(nullptr, 0);
  if (!out_source) return std::nullopt;
  // Kept past the archive's close, which writes into it and would free it.
  zip_source_keep(out_source.get());
  Source written(out_source.get());
  Archive out = Open(out_source, ZIP_TRUNCATE);
  if (!out) return std::nullopt;
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
    const char* name = zip_get_name(in.get(), i, ZIP_FL_ENC_RAW);
    auto bytes = Contents(in.get(), i);
    if (name == nullptr || !bytes) return std::nullopt;
    contents.push_back(std::move(*bytes));
    Source entry = MemorySource(contents.back().data(), contents.back().size());
    if (!entry) return std::nullopt;
    const zip_int64_t index = zip_file_add(out.get(), name, entry.get(), ZIP_FL_ENC_GUESS);
    if (index < 0) return std::nullopt;
    (void)entry.release();
    const auto added = static_cast<zip_uint64_t>(index);
    // A new entry takes the time it was added; a fixed date keeps the bytes the same.
    if (zip_set_file_compression(out.get(), added, ZIP_CM_DEFLATE, kDeflateLevel) != 0 ||
        zip_file_set_dostime(out.get(), added, kDosTime, kDosDate, 0) != 0) {
      return std::nullopt;
    }
  }
  if (zip_close(out.get()) != 0) return std::nullopt;
  (void)out.release();
  return Bytes(written.get());
}

}  // namespace toothwright
