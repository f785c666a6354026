#include "containers/png_chunks.h"

#include <zlib.h>

#include <cctype>
#include <cstdint>
#include <vector>

#include "common/input_error.h"

namespace skyhost {
namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kSignatureSize = 8;
const std::string kXmpKeyword("XML:com.adobe.xmp\0", 18);

std::uint32_t bigEndian32(const std::string &bytes, std::size_t at) {
  auto b = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
  };
  return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

void appendBigEndian32(std::string &out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

std::uint32_t crcOf(const std::string &bytes, std::size_t at, std::size_t size) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef *>(bytes.data() + at), static_cast<uInt>(size)));
}

struct Chunk {
  std::size_t begin, end;  // the whole chunk: length, type, data, CRC
  std::string type;
  std::size_t dataBegin() const { return begin + 8; }
  std::size_t dataSize() const { return end - begin - 12; }
};

std::vector<Chunk> chunksOf(const std::string &bytes, const std::string &source) {
  if (!hasPngSignature(bytes)) throw InputError(source, "not a PNG file");
  std::vector<Chunk> chunks;
  std::size_t at = kSignatureSize;
  while (chunks.empty() || chunks.back().type != "IEND") {
    if (bytes.size() - at < 12) throw InputError(source, "the PNG is cut short (no IEND chunk)");
    std::uint32_t length = bigEndian32(bytes, at);
    if (length > 0x7fffffffu || length > bytes.size() - at - 12)
      throw InputError(source, "a PNG chunk's length runs past the end of the file");
    Chunk chunk{at, at + 12 + length, bytes.substr(at + 4, 4)};
    for (char c : chunk.type)
      if (!std::isalpha(static_cast<unsigned char>(c)))
        throw InputError(source, "a PNG chunk has a malformed type");
    if (crcOf(bytes, at + 4, 4 + length) != bigEndian32(bytes, chunk.end - 4))
      throw InputError(source, "the PNG chunk " + chunk.type + " has a wrong CRC");
    if (chunks.empty() && (chunk.type != "IHDR" || length != 13))
      throw InputError(source, "the PNG does not start with its IHDR chunk");
    if (!chunks.empty() && chunk.type == "IHDR")
      throw InputError(source, "the PNG has a second IHDR chunk");
    chunks.push_back(chunk);
    at = chunk.end;
  }
  return chunks;
}

bool isXmpChunk(const std::string &bytes, const Chunk &c) {
  return c.type == "iTXt" && c.dataSize() >= kXmpKeyword.size() &&
         bytes.compare(c.dataBegin(), kXmpKeyword.size(), kXmpKeyword) == 0;
}

// The text of an iTXt chunk's data when it is the XMP one; compressed text
// is inflated.
std::optional<std::string> xmpText(const std::string &data, const std::string &source) {
  if (data.compare(0, kXmpKeyword.size(), kXmpKeyword) != 0) return std::nullopt;
  std::size_t at = kXmpKeyword.size();
  if (data.size() < at + 2) throw InputError(source, "the PNG's XMP chunk is cut short");
  bool compressed = data[at] != 0;
  std::size_t language = data.find('\0', at + 2);
  std::size_t translated = language == std::string::npos ? language : data.find('\0', language + 1);
  if (translated == std::string::npos) throw InputError(source, "the PNG's XMP chunk is malformed");
  std::string text = data.substr(translated + 1);
  if (!compressed) return text;
  std::string out;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw InputError(source, "cannot inflate the PNG's XMP chunk");
  z.next_in = reinterpret_cast<Bytef *>(text.data());
  z.avail_in = static_cast<uInt>(text.size());
  int status = Z_OK;
  char buffer[16384];
  while (status == Z_OK) {
    z.next_out = reinterpret_cast<Bytef *>(buffer);
    z.avail_out = sizeof buffer;
    status = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
    if (out.size() > (64u << 20)) status = Z_MEM_ERROR;
  }
  inflateEnd(&z);
  if (status != Z_STREAM_END) throw InputError(source, "the PNG's XMP chunk does not inflate");
  return out;
}

std::string chunk(const std::string &type, const std::string &data) {
  std::string out;
  appendBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  out += type + data;
  appendBigEndian32(out, crcOf(out, 4, 4 + data.size()));
  return out;
}

}  // namespace

bool hasPngSignature(const std::string &bytes) {
  return bytes.compare(0, kSignatureSize, kSignature, kSignatureSize) == 0;
}

PngSummary readPng(const std::string &bytes, const std::string &source) {
  std::vector<Chunk> chunks = chunksOf(bytes, source);
  PngSummary summary;
  std::uint32_t width = bigEndian32(bytes, chunks[0].dataBegin());
  std::uint32_t height = bigEndian32(bytes, chunks[0].dataBegin() + 4);
  if (width == 0 || height == 0 || width > 0x7fffffffu || height > 0x7fffffffu)
    throw InputError(source, "the PNG's size is not valid");
  summary.width = static_cast<int>(width);
  summary.height = static_cast<int>(height);
  for (const Chunk &c : chunks)
    if (c.type == "iTXt" && !summary.xmp)
      summary.xmp = xmpText(bytes.substr(c.dataBegin(), c.dataSize()), source);
  return summary;
}

std::string withPngXmp(const std::string &bytes, const std::string &xmp,
                       const std::string &source) {
  std::vector<Chunk> chunks = chunksOf(bytes, source);
  // Keyword, no compression (flag 0, method 0), empty language and translation.
  std::string xmpChunk = chunk("iTXt", kXmpKeyword + std::string(4, '\0') + xmp);
  std::string out = bytes.substr(0, kSignatureSize);
  for (const Chunk &c : chunks) {
    if (isXmpChunk(bytes, c)) continue;  // dropped unread: a broken copy goes too
    out.append(bytes, c.begin, c.end - c.begin);
    if (c.type == "IHDR") out += xmpChunk;
  }
  return out + bytes.substr(chunks.back().end);
}

}  // namespace skyhost
