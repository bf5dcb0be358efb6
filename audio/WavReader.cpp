#include "audio/WavReader.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <streambuf>

namespace {

// Memory is grown in pieces of this size while the samples are read, so a
// header that claims more than the file holds never costs more than one piece.
constexpr size_t kReadPiece = size_t(1) << 20;

struct WavError {
    const char* text;
};

uint16_t le16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t le32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool readExactly(std::istream& in, uint8_t* dest, size_t count)
{
    in.read(reinterpret_cast<char*>(dest), std::streamsize(count));
    return size_t(in.gcount()) == count;
}

// Bytes left in a seekable stream, or -1 when the stream cannot tell.
long long bytesLeft(std::istream& in)
{
    const std::istream::pos_type here = in.tellg();
    if (here == std::istream::pos_type(-1))
        return -1;
    in.seekg(0, std::ios::end);
    const std::istream::pos_type end = in.tellg();
    in.seekg(here);
    if (end == std::istream::pos_type(-1) || !in)
        return -1;
    return static_cast<long long>(end - here);
}

void readRiffHeader(std::istream& in)
{
    uint8_t header[12];
    if (!readExactly(in, header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0
        || std::memcmp(header + 8, "WAVE", 4) != 0)
        throw WavError { wav_errors::header };
}

void readFormat(std::istream& in, WavData& wav)
{
    uint8_t chunk[24];
    if (!readExactly(in, chunk, sizeof chunk) || std::memcmp(chunk, "fmt ", 4) != 0)
        throw WavError { wav_errors::format };
    const uint32_t chunkSize = le32(chunk + 4);
    const uint8_t* block = chunk + 8;
    wav.formatTag = le16(block);
    wav.channels = le16(block + 2);
    wav.sampleRate = le32(block + 4);
    wav.byteRate = le32(block + 8);
    wav.blockAlign = le16(block + 12);
    wav.bitsPerSample = le16(block + 14);
    if (chunkSize > 16)
        in.ignore(2);
}

uint32_t readDataHeader(std::istream& in)
{
    uint8_t chunk[8];
    if (!readExactly(in, chunk, sizeof chunk) || std::memcmp(chunk, "data", 4) != 0)
        throw WavError { wav_errors::dataHeader };
    return le32(chunk + 4);
}

void checkPlayable(WavData& wav)
{
    wav.layout = wavLayoutFor(wav.channels, wav.bitsPerSample);
    if (wav.layout == WavLayout::None)
        throw WavError { wav_errors::unsupportedLayout };
    if (wav.sampleRate == 0 || wav.sampleRate > kMaxWavSampleRate)
        throw WavError { wav_errors::unsupportedRate };
}

// Reads `size` bytes, trusting the header only as far as the file backs it up.
void readSamples(std::istream& in, uint32_t size, std::vector<uint8_t>& out)
{
    const long long left = bytesLeft(in);
    if (left >= 0 && left < static_cast<long long>(size))
        throw WavError { wav_errors::dataRead };
    out.clear();
    while (out.size() < size) {
        const size_t piece = std::min(kReadPiece, size - out.size());
        const size_t start = out.size();
        out.resize(start + piece);
        if (!readExactly(in, out.data() + start, piece))
            throw WavError { wav_errors::dataRead };
    }
}

size_t frameBytes(const WavData& wav)
{
    return size_t(wav.channels) * (wav.bitsPerSample / 8);
}

// Custom stream buffer over borrowed bytes, so parsing memory needs no copy.
class ByteBuffer : public std::streambuf {
public:
    explicit ByteBuffer(std::span<const uint8_t> bytes)
    {
        char* begin = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
        setg(begin, begin, begin + bytes.size());
    }
};

} // namespace

WavLayout wavLayoutFor(uint16_t channels, uint16_t bitsPerSample)
{
    if (channels == 1 && bitsPerSample == 8)
        return WavLayout::Mono8;
    if (channels == 1 && bitsPerSample == 16)
        return WavLayout::Mono16;
    if (channels == 2 && bitsPerSample == 8)
        return WavLayout::Stereo8;
    if (channels == 2 && bitsPerSample == 16)
        return WavLayout::Stereo16;
    return WavLayout::None;
}

WavResult readWav(std::istream& in)
{
    WavResult result;
    try {
        readRiffHeader(in);
        readFormat(in, result.wav);
        const uint32_t size = readDataHeader(in);
        // The layout is checked before the samples are read so that an
        // unplayable file is refused without loading its data.
        checkPlayable(result.wav);
        readSamples(in, size, result.wav.samples);
        result.wav.samples.resize(
            result.wav.samples.size() / frameBytes(result.wav) * frameBytes(result.wav));
    } catch (const WavError& error) {
        result.error = error.text;
        result.wav.samples = {};
    }
    return result;
}

WavResult readWav(std::span<const uint8_t> bytes)
{
    ByteBuffer buffer(bytes);
    std::istream in(&buffer);
    return readWav(in);
}

WavResult readWavFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        WavResult result;
        result.error = path.string();
        return result;
    }
    return readWav(in);
}
