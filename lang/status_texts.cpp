#include "lang/status_texts.h"
#include "platform/contract.h"

#include <algorithm>

namespace zr::lang {

const std::array<StatusTextPair, StatusTextCount>& StatusTexts() {
  // The colon after a word is a plain one in both languages, as in the captions.
  static const std::array<StatusTextPair, StatusTextCount> texts{{
      {QStringLiteral("frame %1 of %2, %3 resends"), QStringLiteral("第 %1 帧，共 %2 帧，重发 %3 次")},
      {QStringLiteral("frame %1 of %2, %3 resend"), QStringLiteral("第 %1 帧，共 %2 帧，重发 %3 次")},
      {QStringLiteral("communication failed"), QStringLiteral("通信失败")},
      {QStringLiteral("port"), QStringLiteral("串口")},
      {QStringLiteral("database"), QStringLiteral("数据库")},
      {QStringLiteral("backup"), QStringLiteral("备份")},
      {QStringLiteral("log not written"), QStringLiteral("日志未写入")},
      {QStringLiteral("verify failed"), QStringLiteral("校验失败")},
      {QStringLiteral("model error"), QStringLiteral("机型错误")},
      {QStringLiteral("write refused"), QStringLiteral("拒绝写入")},
      {QStringLiteral("run-time error"), QStringLiteral("运行时错误")},
      {QStringLiteral("interrupted"), QStringLiteral("已中断")},
      {QStringLiteral("association missing"), QStringLiteral("未建立关联")},
      {QStringLiteral(" (is the user in the dialout group?)"), QStringLiteral("（用户是否在 dialout 组中？）")},
      {QStringLiteral("%1 is not a readable folder"), QStringLiteral("%1 不是可读的文件夹")},
  }};
  return texts;
}

const QString& StatusTextOf(StatusText text, UiLanguage uiLanguage) {
  platform::Expects(text < StatusText::Count, "a status text");
  const StatusTextPair& pair = StatusTexts()[static_cast<std::size_t>(text)];
  return uiLanguage == UiLanguage::Chinese ? pair.Chinese : pair.English;
}

QString FrameProgressText(UiLanguage uiLanguage, int frame, int plannedFrames, int resends) {
  // A transfer with resends may send more frames than planned.
  return StatusTextOf(resends == 1 ? StatusText::FrameProgressOneResend : StatusText::FrameProgress, uiLanguage)
      .arg(frame)
      .arg(std::max(frame, plannedFrames))
      .arg(resends);
}

QString StatusLineText(UiLanguage uiLanguage, StatusText what, const QString& why) {
  const QString& word = StatusTextOf(what, uiLanguage);
  return why.isEmpty() ? word : word + QStringLiteral(": ") + why;
}

}  // namespace zr::lang
