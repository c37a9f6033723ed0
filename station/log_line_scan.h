#pragma once

#include <QByteArrayView>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zr::station {

// The top-level texts of an entry that `log` filters and pairs by.
enum class LogMember { Time, Serial, Outcome, WriteId, Count };

// What `log` needs of one line of the station log, found in one pass over its
// bytes without building the entry: whether the line is one JSON object (RFC
// 8259, UTF-8), and the texts of its top-level members time, serial, outcome
// and writeId as a JSON parser gives them (the last of a repeated key).
// Building the entry costs ten times as much, which a log of gigabytes
// cannot pay for every line.
class LogLineScan {
 public:
  // nullopt when the line is no JSON object: one a crash tore, or something else's.
  static std::optional<LogLineScan> Of(QByteArrayView line);

  // The member's text in UTF-8; nullopt when it is missing or no text.
  std::optional<std::string_view> Text(LogMember member) const;

 private:
  friend class LogLineScanner;
  struct Member {
    bool isText = false;
    std::string_view raw;  // between the quotes, as in the line
    bool escaped = false;  // then `decoded` holds the text
    std::string decoded;
  };
  std::array<Member, static_cast<std::size_t>(LogMember::Count)> members_;
};

}  // namespace zr::station
