#pragma once
// Holds the desktop's screen saver off through the freedesktop screen-saver service on the session
// bus: Inhibit hands back a cookie, UnInhibit with that cookie lets the screen saver start again.
// Without a session bus or without the service nothing is held; that is logged once.

#include <QString>
#include <optional>

class TZScreenSaverInhibitor {
 public:
  explicit TZScreenSaverInhibitor(QString reason);
  // Releases a hold still in place.
  ~TZScreenSaverInhibitor();
  TZScreenSaverInhibitor(const TZScreenSaverInhibitor&) = delete;
  TZScreenSaverInhibitor& operator=(const TZScreenSaverInhibitor&) = delete;

  // Takes or releases the hold; asking for what is already in place does nothing.
  void SetHeld(bool held);
  bool Held() const { return cookie_.has_value(); }

 private:
  void Hold();
  void Release();
  void LogUnavailable(const QString& why);

  QString reason_;
  std::optional<uint> cookie_;
  bool unavailableLogged_ = false;
};
