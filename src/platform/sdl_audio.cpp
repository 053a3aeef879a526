// Sound through SDL2_mixer (the placing sound, the voice device) and the
// message box. Without an audio device everything here is silently nothing.
#include <SDL2/SDL_mixer.h>

#include "platform/quiet_stderr.hpp"
#include "platform/sdl_backend.hpp"

namespace kerna::platform {

void SdlPlatform::OpenAudio() {
  audio_ = Quietly([] {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
      Mix_Quit();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    return true;
  });
}

void SdlPlatform::CloseAudio() {
  if (!audio_) return;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  if (music_ != nullptr) Mix_FreeMusic(music_);
  music_ = nullptr;
  for (auto& [path, chunk] : chunks_) {
    if (chunk != nullptr) Mix_FreeChunk(chunk);
  }
  chunks_.clear();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio_ = false;
}

void SdlPlatform::PlayWave(std::string_view game_path) {
  if (!audio_) return;
  const std::string path = ResolvePath(game_path);
  auto found = chunks_.find(path);
  if (found == chunks_.end()) {
    // Loaded once; a file that fails to load stays silent without retrying.
    found = chunks_.emplace(path, Mix_LoadWAV(path.c_str())).first;
  }
  if (found->second != nullptr) Mix_PlayChannel(-1, found->second, 0);
}

bool SdlPlatform::VoiceOpen(std::string_view game_path) {
  VoiceClose();
  if (!audio_) {
    // No sound device: the voice "plays" silently, so no failure box appears.
    voice_open_ = VoiceFileExists(game_path);
    return voice_open_;
  }
  music_ = Mix_LoadMUS(ResolvePath(game_path).c_str());
  voice_open_ = music_ != nullptr;
  return voice_open_;
}

bool SdlPlatform::VoicePlay() {
  if (!voice_open_) return false;
  if (!audio_) return true;
  return Mix_PlayMusic(music_, 0) == 0;
}

bool SdlPlatform::VoiceStop() {
  if (!voice_open_) return false;
  if (audio_) Mix_HaltMusic();
  return true;
}

void SdlPlatform::VoiceClose() {
  if (music_ != nullptr) {
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
  }
  voice_open_ = false;
}

void SdlPlatform::ShowMessageBox(std::string_view cp932_text, std::string_view cp932_caption) {
  Publish(true);  // let the window show what led to the message
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, FromCp932(cp932_caption).c_str(),
                           FromCp932(cp932_text).c_str(), window_);
}

}  // namespace kerna::platform
