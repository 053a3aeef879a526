// The message box of a failed write (see write_failure_notice.hpp).
#include "game/write_failure_notice.hpp"

#include "platform/cp932.hpp"

namespace kerna {

namespace {

constexpr std::string_view kCaption = "保存できません"_sjis;

}  // namespace

std::string_view WriteFailureNotice::Message(KeptFile file) {
  switch (file) {
    case KeptFile::kGameRecord:
      return "対局の記録を保存できませんでした。\r\n"
             "ディスクの空きがないか、フォルダに書き込めません。\r\n"
             "これまでの記録はそのままです。"_sjis;
    case KeptFile::kSettings:
      return "設定を保存できませんでした。\r\n"
             "ディスクの空きがないか、フォルダに書き込めません。\r\n"
             "この設定は次に起動するときには戻ります。"_sjis;
    case KeptFile::kGameInProgress:
      return "途中の対局を保存できませんでした。\r\n"
             "ディスクの空きがないか、フォルダに書き込めません。"_sjis;
  }
  return {};
}

bool WriteFailureNotice::Report(KeptFile file, bool written) {
  bool& told = state_.Told[static_cast<size_t>(file)];
  if (written) {
    told = false;
  } else if (!told) {
    told = true;
    io_.ShowMessageBox(Message(file), kCaption);
  }
  return written;
}

}  // namespace kerna
