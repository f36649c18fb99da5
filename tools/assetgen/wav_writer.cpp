#include "tools/assetgen/wav_writer.h"

#include "tools/assetgen/byte_writer.h"
#include "tools/assetgen/synth.h"

namespace assetgen {

std::vector<uint8_t> EncodeWave(const std::vector<uint8_t>& samples) {
    const auto dataSize = static_cast<uint32_t>(samples.size());
    const bool padded = (dataSize % 2) != 0;  // chunks keep an even size

    ByteWriter out;
    out.Tag("RIFF");
    out.U32(4 + (8 + 16) + (8 + dataSize + (padded ? 1 : 0)));
    out.Tag("WAVE");

    out.Tag("fmt ");
    out.U32(16);
    out.U16(1);  // PCM
    out.U16(1);  // mono
    out.U32(synth::kSampleRate);
    out.U32(synth::kSampleRate);  // bytes per second
    out.U16(1);                   // bytes per sample frame
    out.U16(8);                   // bits per sample

    out.Tag("data");
    out.U32(dataSize);
    out.Bytes(samples);
    if (padded) {
        out.U8(128);
    }
    return out.Data();
}

}  // namespace assetgen
