// The browser backend's sound and message box: the page plays the files with
// Web Audio (decoded by the browser, started after the player's first click or
// key as browsers require); see kernaPage.sound in web/kerna-page.js. As on the
// desktop without a sound device, the voice device "works" whenever the file
// exists, so a browser that cannot play never makes the game show a failure box.
#include <emscripten.h>

#include "platform/web_backend.hpp"

namespace kerna::platform {

namespace {

// clang-format off
EM_JS(void, page_play_wave, (const char* path), {
  Module.kernaPage.sound.playWave(UTF8ToString(path));
});
EM_JS(void, page_voice, (const char* action, const char* path), {
  Module.kernaPage.sound.voice(UTF8ToString(action), UTF8ToString(path));
});
EM_JS(void, page_message, (const char* text, const char* caption), {
  Module.kernaPage.message(UTF8ToString(text), UTF8ToString(caption));
});
// clang-format on

}  // namespace

void WebPlatform::PlayWave(std::string_view game_path) {
  page_play_wave(ResolvePath(game_path).c_str());
}

bool WebPlatform::VoiceOpen(std::string_view game_path) {
  VoiceClose();
  voice_open_ = VoiceFileExists(game_path);
  if (voice_open_) page_voice("open", ResolvePath(game_path).c_str());
  return voice_open_;
}

bool WebPlatform::VoicePlay() {
  if (!voice_open_) return false;
  page_voice("play", "");
  return true;
}

bool WebPlatform::VoiceStop() {
  if (!voice_open_) return false;
  page_voice("stop", "");
  return true;
}

void WebPlatform::VoiceClose() {
  if (voice_open_) page_voice("close", "");
  voice_open_ = false;
}

void WebPlatform::ShowMessageBox(std::string_view cp932_text, std::string_view cp932_caption) {
  Present();  // let the page show what led to the message
  page_message(FromCp932(cp932_text).c_str(), FromCp932(cp932_caption).c_str());
}

}  // namespace kerna::platform
