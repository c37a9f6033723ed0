// A block in canonical form, the form a write itself leaves, goes through a
// read and a write of the same radio without one byte changing. Canonical:
// texts are text of the code page (each character encodes back to its own
// bytes, which leaves out code page 950's ten duplicate codes), NUL-filled, not ending
// in a blank (a write drops those), one byte per character in character
// fields; switch bytes 0x07-0x09 are 0 or 1 (a write puts them whole from
// bit 0); check and list bytes are what their controls take, band 14 only on
// a three-band radio; every other byte and bit is random.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "record/factory_tables.h"
#include "record/image_codec.h"
#include "record/factory_fields.h"
#include "record/form_values.h"
#include "tests/support/showable_block.h"

namespace zr {
namespace {

// The code page's characters of one and of two bytes.
struct Alphabet {
  std::vector<QByteArray> singleBytes;
  std::vector<QByteArray> doubleBytes;
};

bool IsOneCharacter(const platform::AnsiCodePage& codePage, const QByteArray& bytes) {
  const QString text = codePage.Decode(bytes);
  return text.size() == 1 && text[0] != QChar::ReplacementCharacter && codePage.Encode(text) == bytes;
}

Alphabet AlphabetOf(const platform::AnsiCodePage& codePage) {
  Alphabet alphabet;
  // 0xFF is never text: a reader stops at it.
  for (int byte = 0x01; byte < 0xFF; ++byte) {
    const QByteArray unit(1, static_cast<char>(byte));
    if (IsOneCharacter(codePage, unit)) alphabet.singleBytes.push_back(unit);
  }
  for (int lead = 0x81; lead < 0xFF; ++lead) {
    for (int trail = 0x40; trail < 0xFF; ++trail) {
      const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
      const QByteArray unit(pair, 2);
      if (IsOneCharacter(codePage, unit)) alphabet.doubleBytes.push_back(unit);
    }
  }
  return alphabet;
}

class CanonicalBlock {
 public:
  explicit CanonicalBlock(unsigned seed) : random_(seed) {}

  FactoryImage Make(const Alphabet& alphabet) {
    FactoryImage image;
    for (std::uint8_t& byte : image.Bytes()) byte = static_cast<std::uint8_t>(Below(256));
    for (const FactoryField& field : FactoryFields) {
      switch (field.kind) {
        case FieldKind::Byte:
          image[field.offset] = Below(field.box.kind == BoxKind::List ? field.entries().size() : 3);
          break;
        case FieldKind::FlagByte:
          image[field.offset] = Below(2);
          break;
        case FieldKind::Chars:
          Text(image, field.offset, field.width, {&alphabet.singleBytes});
          break;
        case FieldKind::Text:
          Text(image, field.offset, field.width, {&alphabet.singleBytes, &alphabet.doubleBytes});
          break;
        default:
          break;
      }
    }
    if (image[FieldOf(Field::BandIndex).offset] == ThreeBandPosition) image[FeatureByte] |= TriBandBit;
    return image;
  }

 private:
  std::uint8_t Below(qsizetype bound) {
    return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, static_cast<int>(bound) - 1)(random_));
  }

  // Characters up to a random length that fits, not ending in a blank, then
  // NULs. Each character comes from one of the sets, drawn alike, so that
  // single-byte characters are not lost among the many double-byte ones.
  void Text(FactoryImage& image, int offset, int width, std::vector<const std::vector<QByteArray>*> sets) {
    std::erase_if(sets, [](const std::vector<QByteArray>* set) { return set->empty(); });
    QByteArray bytes;
    const int length = std::uniform_int_distribution<int>(0, width)(random_);
    while (bytes.size() < length) {
      const std::vector<QByteArray>& units = *sets[Below(static_cast<qsizetype>(sets.size()))];
      const QByteArray& unit = units[std::uniform_int_distribution<std::size_t>(0, units.size() - 1)(random_)];
      if (bytes.size() + unit.size() > length) continue;
      if (bytes.size() + unit.size() == length && unit == " ") continue;
      bytes += unit;
    }
    for (int i = 0; i < width; ++i) image[offset + i] = i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : 0;
  }

  std::mt19937 random_;
};

// The offsets at which the block changed on its way through.
// `radioLines`: the lines the write read from the radio; `change` is what the
// operator does to the shown fields.
std::vector<int> ChangedBytes(const FactoryImage& image, const platform::AnsiCodePage& codePage, bool& askedAboutBand,
                              FactoryLines radioLines = {}, const std::function<void(FormValues&)>& change = {}) {
  FactoryRecord record;
  DecodeImage(image, record, codePage);
  FormValues fields;
  ShowRecordInForm(record, fields);
  if (change) change(fields);
  QString packageCode;
  if (!TakeFormIntoRecord(fields, record, packageCode, IsTriBandCapable(image), [&] {
        askedAboutBand = true;
        return true;
      })) {
    return {FieldOf(Field::BandIndex).offset};
  }
  FactoryImage written = image;
  EncodeImage(record, written, codePage, radioLines);
  std::vector<int> changed;
  for (int i = 0; i < FactoryImageSize; ++i) {
    if (written[i] != image[i]) changed.push_back(i);
  }
  return changed;
}

TEST(ImageRoundTrip, CanonicalBlocksSurviveReadShowTakeAndWrite) {
  constexpr unsigned kBlocks = 300;
  for (const unsigned number : {1252U, 936U, 950U}) {
    const platform::AnsiCodePage codePage(number);
    const Alphabet alphabet = AlphabetOf(codePage);
    for (unsigned seed = 1; seed <= kBlocks; ++seed) {
      const FactoryImage image = CanonicalBlock(seed).Make(alphabet);
      bool askedAboutBand = false;
      const std::vector<int> changed = ChangedBytes(image, codePage, askedAboutBand);
      ASSERT_TRUE(changed.empty()) << number << ", seed " << seed << ": byte 0x" << std::hex << changed[0] << " was 0x"
                                   << int{image[changed[0]]};
      ASSERT_FALSE(askedAboutBand) << number << ", seed " << seed;
    }
  }
}

// A field the operator left as the read showed it keeps the radio's bytes,
// whatever they are; one the operator changed is encoded, and only it.
TEST(ImageRoundTrip, AWriteChangesOnlyTheFieldsWhoseValuesChanged) {
  const FactoryLines wholeBlock = FactoryLines().set();
  const FactoryField& seller = FieldOf(Field::Seller);
  for (const char* locale : {"en_US", "zh_CN", "zh_TW", "ja_JP"}) {
    const platform::AnsiCodePage codePage = platform::AnsiCodePage::ForLocale(QString::fromLatin1(locale));
    for (unsigned seed = 1; seed <= 300; ++seed) {
      const FactoryImage image = test::ShowableBlock(seed);
      bool askedAboutBand = false;
      const std::vector<int> changed = ChangedBytes(image, codePage, askedAboutBand, wholeBlock);
      ASSERT_TRUE(changed.empty()) << locale << ", seed " << seed << ": byte 0x" << std::hex << changed[0];
      ASSERT_FALSE(askedAboutBand) << locale << ", seed " << seed;

      const std::vector<int> sellerChanged = ChangedBytes(image, codePage, askedAboutBand, wholeBlock,
                                                          [](FormValues& form) { form.seller = QStringLiteral("Ann"); });
      ASSERT_FALSE(sellerChanged.empty());
      ASSERT_TRUE(sellerChanged.front() >= seller.offset && sellerChanged.back() < seller.offset + seller.width)
          << locale << ", seed " << seed << ": byte 0x" << std::hex << sellerChanged.back();
    }
  }
}

}  // namespace
}  // namespace zr
