#include "hotkeys/hotkeys.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>

#include "base/text/textcodec.h"
#include "base/text/textfile.h"

namespace {

constexpr TZHotKeyEntry kDefaultEntries[] = {
    {89, 0, haPrevious, false},              // Y
    {88, 0, haPlay, false},                  // X
    {67, 0, haPause, false},                 // C
    {86, 0, haStop, false},                  // V
    {66, 0, haNext, false},                  // B
    {32, 0, haPause, false},                 // Space
    {13, 0, haPlay, false},                  // Return
    {38, 0, haVolumeUp, false},              // Up
    {40, 0, haVolumeDown, false},            // Down
    {37, 0, haJumpBackward, false},          // Left
    {39, 0, haJumpForward, false},           // Right
    {13, hmAlt, haToggleFullscreen, false},  // Alt + Return
    {74, 0, haPlaylistSearch, false},        // J
    {114, 0, haPlaylistSearch, false},       // F3
    {83, hmAlt, haSortCaption, false},       // Alt + S
    {115, hmAlt, haClose, false},            // Alt + F4
    {120, 0, haScreenshotOriginal, false},   // F9
    {49, 0, haBrightnessDown, false},        // 1
    {50, 0, haBrightnessUp, false},          // 2
};

// File layout: a signed 32-bit count, then six bytes per entry, little-endian.
constexpr qsizetype kCountSize = 4;
constexpr qsizetype kEntrySize = 6;

struct KeyText {
  std::uint16_t key;
  const char16_t* name;
};

// Names of the keys that are not shown as their own character; numpad digits and F-keys are
// made up separately.
constexpr KeyText kKeyNames[] = {
    {8, u"Backspace"},  {9, u"Tab"},        {12, u"Clear"},        {13, u"Return"},
    {16, u"Shift"},     {17, u"Ctrl"},      {18, u"Alt"},          {19, u"Pause"},
    {20, u"Shiftlock"}, {27, u"Esc"},       {32, u"Space"},        {33, u"PageUp"},
    {34, u"PageDown"},  {35, u"End"},       {36, u"Pos1"},         {37, u"Left"},
    {38, u"Up"},        {39, u"Right"},     {40, u"Down"},         {41, u"Select"},
    {42, u"Print"},     {43, u"Execute"},   {44, u"Print Screen"}, {45, u"Insert"},
    {46, u"Delete"},    {93, u"Start"},     {106, u"Numpad *"},    {107, u"Numpad +"},
    {108, u"Numpad ."}, {109, u"Numpad -"}, {110, u"Numpfad ,"},   {111, u"Numpfad /"},
    {144, u"Numlock"},  {145, u"Scroll"},   {186, u"\u00DC"},      {187, u"+"},
    {188, u","},        {189, u"-"},        {190, u"."},           {191, u"#"},
    {192, u"\u00D6"},   {219, u"\u00DF"},   {220, u"^"},           {221, u"\u00B4"},
    {222, u"\u00C4"},   {226, u"<"},        {229, u"Process"},     {246, u"Attn"},
    {247, u"CrSel"},    {248, u"ExSel"},    {249, u"EOF"},         {250, u"Play"},
    {251, u"Zoom"},     {253, u"PA1"},      {254, u"Clear"},
};

std::unique_ptr<TZHotKeys>& GlobalTable() {
  static std::unique_ptr<TZHotKeys> table;
  return table;
}

}  // namespace

TZHotKeys::TZHotKeys() {
  SetDefaults();
}

void TZHotKeys::SetDefaults() {
  entries_ = QList<TZHotKeyEntry>(std::begin(kDefaultEntries), std::end(kDefaultEntries));
}

TZHotKeyEntry TZHotKeys::Entry(int index) const {
  return entries_.value(index);
}

void TZHotKeys::Add(std::uint16_t key, std::uint8_t modifiers, bool systemWide,
                    std::uint8_t action) {
  entries_.append({key, modifiers, action, systemWide});
}

void TZHotKeys::Change(int index, std::uint16_t key, bool systemWide, std::uint8_t action,
                       std::uint8_t modifiers) {
  if (index >= 0 && index < Count()) {
    entries_[index] = {key, modifiers, action, systemWide};
  }
}

void TZHotKeys::Delete(int index) {
  if (index >= 0 && index < Count()) {
    entries_.removeAt(index);
  }
}

bool TZHotKeys::KeyUsed(std::uint16_t key) const {
  return std::any_of(entries_.cbegin(), entries_.cend(),
                     [key](const TZHotKeyEntry& entry) { return entry.Key == key; });
}

QList<int> TZHotKeys::Matching(std::uint16_t key, std::uint8_t modifiers) const {
  QList<int> indices;
  for (int i = 0; i < Count(); ++i) {
    if (entries_[i].Key == key && entries_[i].Modifiers == modifiers) {
      indices << i;
    }
  }
  return indices;
}

QByteArray TZHotKeys::ToBytes() const {
  QByteArray bytes(kCountSize + kEntrySize * entries_.size(), '\0');
  char* out = bytes.data();
  qToLittleEndian<qint32>(static_cast<qint32>(entries_.size()), out);
  out += kCountSize;
  for (const TZHotKeyEntry& entry : entries_) {
    qToLittleEndian<quint16>(entry.Key, out);
    out[2] = static_cast<char>(entry.Modifiers);
    out[3] = static_cast<char>(entry.Action);
    out[4] = entry.SystemWide ? 1 : 0;
    out += kEntrySize;  // the sixth byte is reserved and stays 0
  }
  return bytes;
}

bool TZHotKeys::FromBytes(const QByteArray& bytes) {
  entries_.clear();
  if (bytes.size() < kCountSize) {
    return false;
  }
  const qint32 count = qFromLittleEndian<qint32>(bytes.constData());
  if (count < 0) {
    return false;
  }
  // Only what is there is read: a count larger than the file must not make the table huge.
  const qsizetype present = (bytes.size() - kCountSize) / kEntrySize;
  const qsizetype readable = std::min<qsizetype>(count, present);
  const auto* in = reinterpret_cast<const uchar*>(bytes.constData()) + kCountSize;
  for (qsizetype i = 0; i < readable; ++i, in += kEntrySize) {
    entries_.append({qFromLittleEndian<quint16>(in), in[2], in[3], in[4] != 0});
  }
  return readable == count;
}

bool TZHotKeys::LoadFromFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return false;  // nothing read, the table stays as it is
  }
  const QByteArray bytes = file.readAll();
  return FromBytes(bytes) && file.error() == QFileDevice::NoError;
}

bool TZHotKeys::SaveToFile(const QString& path) const {
  return WriteFileAtomically(path, ToBytes());
}

QString TZHotKeys::KeyName(std::uint16_t key) {
  if (key >= 96 && key <= 105) {
    return QStringLiteral("Numpad %1").arg(key - 96);
  }
  if (key >= 112 && key <= 135) {
    return QStringLiteral("F%1").arg(key - 111);
  }
  for (const KeyText& text : kKeyNames) {
    if (text.key == key) {
      return QString::fromUtf16(text.name);
    }
  }
  if (key == 0) {
    return {};  // no key captured
  }
  if (key <= 0xFF) {
    const char byte = static_cast<char>(key);
    return DecodeWindows1252(QByteArrayView(&byte, 1));
  }
  return QString(QChar(key));
}

QString TZHotKeys::ModifierPrefix(std::uint8_t modifiers) {
  QString prefix;
  if (modifiers & hmAlt) {
    prefix += QLatin1String("Alt + ");
  }
  if (modifiers & hmShift) {
    prefix += QLatin1String("Shift + ");
  }
  if (modifiers & hmCtrl) {
    prefix += QLatin1String("Ctrl + ");
  }
  return prefix;
}

TZHotKeys* HotKeys() {
  return GlobalTable().get();
}

void SetHotKeys(std::unique_ptr<TZHotKeys> table) {
  GlobalTable() = std::move(table);
}
