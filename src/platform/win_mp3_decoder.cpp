// ACM decodes in pieces: each call converts as many whole frames as fit the
// input piece and leaves the rest of it for the next call, and a last call
// with ACM_STREAMCONVERTF_END hands out what the codec still holds.
// clang-format off
#include <windows.h>
// (before msacm.h: a lean windows.h leaves out its FOURCC)
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>
// clang-format on

#include "platform/win_mp3_decoder.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kerna::platform {

namespace {

constexpr DWORD kPieceBytes = 16 * 1024;

MPEGLAYER3WAVEFORMAT Mp3Format(const Mp3Stream& stream) {
  MPEGLAYER3WAVEFORMAT format{};
  format.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
  format.wfx.nChannels = static_cast<WORD>(stream.channels);
  format.wfx.nSamplesPerSec = static_cast<DWORD>(stream.samples_per_second);
  format.wfx.nAvgBytesPerSec = static_cast<DWORD>(stream.bits_per_second / 8);
  format.wfx.nBlockAlign = 1;
  format.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
  format.wID = MPEGLAYER3_ID_MPEG;
  format.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
  format.nBlockSize = static_cast<WORD>(stream.frame_bytes);
  format.nFramesPerBlock = 1;
  return format;
}

WAVEFORMATEX PcmFormat(const Mp3Stream& stream) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(stream.channels);
  format.nSamplesPerSec = static_cast<DWORD>(stream.samples_per_second);
  format.wBitsPerSample = 16;
  format.nBlockAlign = static_cast<WORD>(stream.channels * 2);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  return format;
}

// One open conversion stream with its prepared header and buffers.
class AcmDecode {
 public:
  AcmDecode(MPEGLAYER3WAVEFORMAT mp3, WAVEFORMATEX pcm) {
    if (acmStreamOpen(&stream_, nullptr, &mp3.wfx, &pcm, nullptr, 0, 0,
                      ACM_STREAMOPENF_NONREALTIME) != 0) {
      stream_ = nullptr;
      return;
    }
    DWORD out_bytes = 0;
    if (acmStreamSize(stream_, kPieceBytes, &out_bytes, ACM_STREAMSIZEF_SOURCE) != 0) return;
    in_.resize(kPieceBytes);
    out_.resize(2 * out_bytes);  // room for what the codec still holds at the end
    header_.cbStruct = sizeof(header_);
    header_.pbSrc = in_.data();
    header_.cbSrcLength = kPieceBytes;
    header_.pbDst = out_.data();
    header_.cbDstLength = static_cast<DWORD>(out_.size());
    prepared_ = acmStreamPrepareHeader(stream_, &header_, 0) == 0;
  }
  ~AcmDecode() {
    if (prepared_) {
      header_.cbSrcLength = kPieceBytes;  // unprepare wants the prepared lengths back
      acmStreamUnprepareHeader(stream_, &header_, 0);
    }
    if (stream_ != nullptr) acmStreamClose(stream_, 0);
  }
  AcmDecode(const AcmDecode&) = delete;
  AcmDecode& operator=(const AcmDecode&) = delete;

  bool Ready() const { return prepared_; }

  // Feeds the bytes piece by piece and appends the samples; false when the
  // codec refuses a piece.
  bool Run(std::string_view mp3, std::vector<uint8_t>& samples) {
    size_t held = 0;  // bytes at the front of in_ left over by the last call
    size_t next = 0;
    bool first = true;
    for (;;) {
      const size_t take = std::min<size_t>(kPieceBytes - held, mp3.size() - next);
      std::memcpy(in_.data() + held, mp3.data() + next, take);
      next += take;
      const bool all_in = next == mp3.size();
      const DWORD flags = (first ? ACM_STREAMCONVERTF_START : 0) |
                          (all_in ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN);
      header_.cbSrcLength = static_cast<DWORD>(held + take);
      if (acmStreamConvert(stream_, &header_, flags) != 0) return false;
      samples.insert(samples.end(), out_.begin(), out_.begin() + header_.cbDstLengthUsed);
      const size_t used = header_.cbSrcLengthUsed;
      held = header_.cbSrcLength - used;
      std::memmove(in_.data(), in_.data() + used, held);
      first = false;
      if (all_in && (held == 0 || used == 0)) return true;
      if (!all_in && take == 0 && used == 0) return false;  // a full piece it cannot use
    }
  }

 private:
  HACMSTREAM stream_ = nullptr;
  ACMSTREAMHEADER header_{};
  std::vector<uint8_t> in_;
  std::vector<uint8_t> out_;
  bool prepared_ = false;
};

}  // namespace

std::optional<PcmSound> DecodeMp3(std::string_view file) {
  const std::optional<Mp3Stream> stream = FindMp3Stream(file);
  if (!stream) return std::nullopt;
  AcmDecode decode(Mp3Format(*stream), PcmFormat(*stream));
  if (!decode.Ready()) return std::nullopt;
  PcmSound sound;
  sound.channels = stream->channels;
  sound.samples_per_second = stream->samples_per_second;
  sound.bits_per_sample = 16;
  if (!decode.Run(file.substr(stream->first_frame), sound.bytes) || sound.bytes.empty()) {
    return std::nullopt;
  }
  return sound;
}

}  // namespace kerna::platform
