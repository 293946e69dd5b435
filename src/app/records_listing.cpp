// quandrel --records: the records file read where the game would read it.
#include "app/records_listing.hpp"

#include <ostream>
#include <string>

#include "platform/system/utf.hpp"
#include "progress/records_file.hpp"
#include "settings/game_settings.hpp"
#include "settings/settings_location.hpp"

int listRecords(std::ostream& out, std::ostream& errors) {
  const std::u16string settingsPath = settingsFileLocation(GetExeDirectory());
  LevelRecords records;
  if (!settingsPath.empty()) {
    const std::string path = recordsFilePath(utf8FromUtf16(settingsPath));
    const progress::ReadResult read = readRecords(path, records);
    if (read == progress::ReadResult::Damaged || read == progress::ReadResult::Unreadable ||
        read == progress::ReadResult::Newer) {
      errors << "quandrel: " << path
             << (read == progress::ReadResult::Newer ? " was written by a newer version of the game"
                 : read == progress::ReadResult::Damaged ? " is damaged"
                                                          : " cannot be read")
             << "; the game will set it aside and start with empty records\n";
      return 1;
    }
  }
  out << recordsTable(records);
  return 0;
}
