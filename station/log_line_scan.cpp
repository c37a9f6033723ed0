#include "station/log_line_scan.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cctype>
#include <cstring>

namespace zr::station {

namespace {

// Deeper than any entry the station writes, shallow enough for the stack.
constexpr int MaxDepth = 64;

// By LogMember.
constexpr std::array<std::string_view, static_cast<std::size_t>(LogMember::Count)> MemberKeys = {
    "time", "serial", "outcome", "writeId"};

// Bytes a JSON text holds as they are: printable ASCII but the quote and the backslash.
constexpr std::array<bool, 256> PlainBytes = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
  return plain;
}();

// A JSON text with escapes, as a JSON parser reads it; the rare path.
std::string Unescaped(std::string_view raw) {
  QByteArray array = "[\"";
  array.append(raw.data(), static_cast<qsizetype>(raw.size())).append("\"]");
  return QJsonDocument::fromJson(array).array().at(0).toString().toStdString();
}

}  // namespace

// A recursive-descent check of the line's syntax that keeps the few top-level
// texts it is asked for.
class LogLineScanner {
 public:
  explicit LogLineScanner(QByteArrayView line)
      : at_(reinterpret_cast<const unsigned char*>(line.data())), end_(at_ + line.size()) {}

  bool Object(LogLineScan& keep) {
    SkipBlanks();
    if (!Take('{')) return false;
    SkipBlanks();
    if (Take('}')) return true;
    for (;;) {
      std::string_view key;
      bool keyEscaped = false;
      SkipBlanks();
      if (!String(&key, &keyEscaped)) return false;
      SkipBlanks();
      if (!Take(':')) return false;
      SkipBlanks();
      LogLineScan::Member* member = Kept(keep, key, keyEscaped);
      if (member != nullptr) {
        *member = {};
        if (Peek() == '"') {
          member->isText = true;
          if (!String(&member->raw, &member->escaped)) return false;
          if (member->escaped) member->decoded = Unescaped(member->raw);
        } else if (!Value(1)) {
          return false;
        }
      } else if (!Value(1)) {
        return false;
      }
      SkipBlanks();
      if (Take('}')) return true;
      if (!Take(',')) return false;
    }
  }

  bool AtEnd() {
    SkipBlanks();
    return at_ == end_;
  }

 private:
  static LogLineScan::Member* Kept(LogLineScan& scan, std::string_view key, bool escaped) {
    const std::string decoded = escaped ? Unescaped(key) : std::string();
    for (std::size_t i = 0; i < MemberKeys.size(); ++i) {
      if ((escaped ? std::string_view(decoded) : key) == MemberKeys[i]) return &scan.members_[i];
    }
    return nullptr;
  }

  int Peek() const { return at_ < end_ ? *at_ : -1; }
  bool Take(char c) {
    if (Peek() != static_cast<unsigned char>(c)) return false;
    ++at_;
    return true;
  }
  void SkipBlanks() {
    while (at_ < end_ && (*at_ == ' ' || *at_ == '\t' || *at_ == '\r' || *at_ == '\n')) ++at_;
  }

  bool Value(int depth) {
    switch (Peek()) {
      case '"': {
        std::string_view ignored;
        bool escaped = false;
        return String(&ignored, &escaped);
      }
      case '{': return depth < MaxDepth && Nested(depth, '}', true);
      case '[': return depth < MaxDepth && Nested(depth, ']', false);
      case 't': return Word("true");
      case 'f': return Word("false");
      case 'n': return Word("null");
      default: return Number();
    }
  }

  // An object or array inside the entry: its members are checked, not kept.
  bool Nested(int depth, char close, bool object) {
    ++at_;
    SkipBlanks();
    if (Take(close)) return true;
    for (;;) {
      SkipBlanks();
      if (object) {
        std::string_view key;
        bool escaped = false;
        if (!String(&key, &escaped)) return false;
        SkipBlanks();
        if (!Take(':')) return false;
        SkipBlanks();
      }
      if (!Value(depth + 1)) return false;
      SkipBlanks();
      if (Take(close)) return true;
      if (!Take(',')) return false;
    }
  }

  bool Word(std::string_view word) {
    if (static_cast<std::size_t>(end_ - at_) < word.size() || std::memcmp(at_, word.data(), word.size()) != 0) {
      return false;
    }
    at_ += word.size();
    return true;
  }

  bool Digits() {
    const unsigned char* start = at_;
    while (at_ < end_ && *at_ >= '0' && *at_ <= '9') ++at_;
    return at_ != start;
  }

  bool Number() {
    Take('-');
    if (!Take('0') && (Peek() < '1' || Peek() > '9' || !Digits())) return false;
    if (Take('.') && !Digits()) return false;
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return true;
  }

  bool Continuation(unsigned char low = 0x80, unsigned char high = 0xBF) {
    if (at_ >= end_ || *at_ < low || *at_ > high) return false;
    ++at_;
    return true;
  }

  // One UTF-8 character of two to four bytes; no overlong forms, no surrogates.
  bool Utf8() {
    const unsigned char lead = *at_++;
    if (lead >= 0xC2 && lead <= 0xDF) return Continuation();
    if (lead == 0xE0) return Continuation(0xA0) && Continuation();
    if (lead == 0xED) return Continuation(0x80, 0x9F) && Continuation();
    if (lead >= 0xE1 && lead <= 0xEF) return Continuation() && Continuation();
    if (lead == 0xF0) return Continuation(0x90) && Continuation() && Continuation();
    if (lead >= 0xF1 && lead <= 0xF3) return Continuation() && Continuation() && Continuation();
    if (lead == 0xF4) return Continuation(0x80, 0x8F) && Continuation() && Continuation();
    return false;
  }

  bool Escape() {
    ++at_;  // the backslash
    if (at_ >= end_) return false;
    const unsigned char c = *at_++;
    if (c != '\0' && std::strchr("\"\\/bfnrt", c) != nullptr) return true;
    if (c != 'u' || end_ - at_ < 4) return false;
    for (int i = 0; i < 4; ++i, ++at_) {
      if (!std::isxdigit(*at_)) return false;
    }
    return true;
  }

  bool String(std::string_view* text, bool* escaped) {
    if (!Take('"')) return false;
    const unsigned char* start = at_;
    for (;;) {
      while (at_ < end_ && PlainBytes[*at_]) ++at_;
      if (at_ >= end_) return false;
      if (*at_ == '"') break;
      if (*at_ == '\\') {
        *escaped = true;
        if (!Escape()) return false;
      } else if (*at_ < 0x20 || !Utf8()) {
        return false;
      }
    }
    *text = std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(at_ - start));
    ++at_;
    return true;
  }

  const unsigned char* at_;
  const unsigned char* end_;
};

std::optional<LogLineScan> LogLineScan::Of(QByteArrayView line) {
  LogLineScan scan;
  LogLineScanner scanner(line);
  if (!scanner.Object(scan) || !scanner.AtEnd()) return std::nullopt;
  return scan;
}

std::optional<std::string_view> LogLineScan::Text(LogMember member) const {
  const Member& kept = members_[static_cast<std::size_t>(member)];
  if (!kept.isText) return std::nullopt;
  return kept.escaped ? std::string_view(kept.decoded) : kept.raw;
}

}  // namespace zr::station
