#include "dialogs/info/locale_names.h"

#include <unicode/uloc.h>

#include <array>
#include <cstdio>

#include "runtime/numbers.h"

namespace dialogs {

namespace {

constexpr std::array<LocaleRow, 126> kLocales{{
    {"0436", "Afrikaans (Western Europe / US)"},
    {"041c", "Albanian (Central Europe)"},
    {"0401", "Arabic_Saudi_Arabia (Arabic)"},
    {"0801", "Arabic_Iraq (Arabic)"},
    {"0c01", "Arabic_Egypt (Arabic)"},
    {"1001", "Arabic_Libya (Arabic)"},
    {"1401", "Arabic_Algeria (Arabic)"},
    {"1801", "Arabic_Morocco (Arabic)"},
    {"1c01", "Arabic_Tunisia (Arabic)"},
    {"2001", "Arabic_Oman (Arabic)"},
    {"2401", "Arabic_Yemen (Arabic)"},
    {"2801", "Arabic_Syria (Arabic)"},
    {"2c01", "Arabic_Jordan (Arabic)"},
    {"3001", "Arabic_Lebanon (Arabic)"},
    {"3401", "Arabic_Kuwait (Arabic)"},
    {"3801", "Arabic_UAE (Arabic)"},
    {"3c01", "Arabic_Bahrain (Arabic)"},
    {"4001", "Arabic_Qatar (Arabic)"},
    {"042b", "Armenian (Armenian)"},
    {"042c", "Azeri_Latin (Turkic)"},
    {"082c", "Azeri_Cyrillic (Cyrillic)"},
    {"042d", "Basque (Western Europe / US)"},
    {"0423", "Belarusian (Cyrillic)"},
    {"0402", "Bulgarian (Cyrillic)"},
    {"0403", "Catalan (Western Europe / US)"},
    {"0404", "Chinese_Taiwan (Traditional Chinese)"},
    {"0804", "Chinese_PRC (Simplified Chinese)"},
    {"0c04", "Chinese_Hong_Kong (Traditional Chinese)"},
    {"1004", "Chinese_Singapore (Simplified Chinese)"},
    {"1404", "Chinese_Macau (Traditional Chinese)"},
    {"041a", "Croatian (Central Europe)"},
    {"0405", "Czech (Central Europe)"},
    {"0406", "Danish (Western Europe / US)"},
    {"0413", "Dutch_Standard (Western Europe / US)"},
    {"0813", "Dutch_Belgian (Western Europe / US)"},
    {"0409", "English_United_States (Western Europe / US)"},
    {"0809", "English_United_Kingdom (Western Europe / US)"},
    {"0c09", "English_Australian (Western Europe / US)"},
    {"1009", "English_Canadian (Western Europe / US)"},
    {"1409", "English_New_Zealand (Western Europe / US)"},
    {"1809", "English_Irish (Western Europe / US)"},
    {"1c09", "English_South_Africa (Western Europe / US)"},
    {"2009", "English_Jamaica (Western Europe / US)"},
    {"2409", "English_Caribbean (Western Europe / US)"},
    {"2809", "English_Belize (Western Europe / US)"},
    {"2c09", "English_Trinidad (Western Europe / US)"},
    {"3009", "English_Zimbabwe (Western Europe / US)"},
    {"3409", "English_Philippines (Western Europe / US)"},
    {"0425", "Estonian (Baltic)"},
    {"0438", "Faeroese (Western Europe / US)"},
    {"0429", "Farsi (Arabic)"},
    {"040b", "Finnish (Western Europe / US)"},
    {"040c", "French_Standard (Western Europe / US)"},
    {"080c", "French_Belgian (Western Europe / US)"},
    {"0c0c", "French_Canadian (Western Europe / US)"},
    {"100c", "French_Swiss (Western Europe / US)"},
    {"140c", "French_Luxembourg (Western Europe / US)"},
    {"180c", "French_Monaco (Western Europe / US)"},
    {"0437", "Georgian (Georgian)"},
    {"0407", "German_Standard (Western Europe / US)"},
    {"0807", "German_Swiss (Western Europe / US)"},
    {"0c07", "German_Austrian (Western Europe / US)"},
    {"1007", "German_Luxembourg (Western Europe / US)"},
    {"1407", "German_Liechtenstein (Western Europe / US)"},
    {"0408", "Greek  (Greek)"},
    {"040d", "Hebrew (Hebrew)"},
    {"0439", "Hindi (Indic)"},
    {"040e", "Hungarian (Central Europe)"},
    {"040f", "Icelandic (Western Europe / US)"},
    {"0421", "Indonesian (Western Europe / US)"},
    {"0410", "Italian_Standard (Western Europe / US)"},
    {"0810", "Italian_Swiss (Western Europe / US)"},
    {"0411", "Japanese (Japanese)"},
    {"043f", "Kazakh (Cyrillic)"},
    {"0457", "Konkani (Indic)"},
    {"0412", "Korean (Korean)"},
    {"0426", "Latvian (Baltic)"},
    {"0427", "Lithuanian (Baltic)"},
    {"042f", "Macedonian (Cyrillic)"},
    {"043e", "Malay_Malaysia (Western Europe / US)"},
    {"083e", "Malay_Brunei_Darussalam (Western Europe / US)"},
    {"044e", "Marathi (Indic)"},
    {"0414", "Norwegian_Bokmal (Western Europe / US)"},
    {"0814", "Norwegian_Nynorsk (Western Europe / US)"},
    {"0415", "Polish (Central Europe)"},
    {"0416", "Portuguese_Brazilian (Western Europe / US)"},
    {"0816", "Portuguese_Standard (Western Europe / US)"},
    {"0418", "Romanian (Central Europe)"},
    {"0419", "Russian (Cyrillic)"},
    {"044f", "Sanskrit (Indic)"},
    {"081a", "Serbian_Latin (Central Europe)"},
    {"0c1a", "Serbian_Cyrillic (Cyrillic)"},
    {"041b", "Slovak (Central Europe)"},
    {"0424", "Slovenian (Central Europe)"},
    {"040a", "Spanish_Traditional_Sort (Western Europe / US)"},
    {"080a", "Spanish_Mexican (Western Europe / US)"},
    {"0c0a", "Spanish_Modern_Sort (Western Europe / US)"},
    {"100a", "Spanish_Guatemala (Western Europe / US)"},
    {"140a", "Spanish_Costa_Rica (Western Europe / US)"},
    {"180a", "Spanish_Panama (Western Europe / US)"},
    {"1c0a", "Spanish_Dominican_Republic (Western Europe / US)"},
    {"200a", "Spanish_Venezuela (Western Europe / US)"},
    {"240a", "Spanish_Colombia (Western Europe / US)"},
    {"280a", "Spanish_Peru (Western Europe / US)"},
    {"2c0a", "Spanish_Argentina (Western Europe / US)"},
    {"300a", "Spanish_Ecuador (Western Europe / US)"},
    {"340a", "Spanish_Chile (Western Europe / US)"},
    {"380a", "Spanish_Uruguay (Western Europe / US)"},
    {"3c0a", "Spanish_Paraguay (Western Europe / US)"},
    {"400a", "Spanish_Bolivia (Western Europe / US)"},
    {"440a", "Spanish_El_Salvador (Western Europe / US)"},
    {"480a", "Spanish_Honduras (Western Europe / US)"},
    {"4c0a", "Spanish_Nicaragua (Western Europe / US)"},
    {"500a", "Spanish_Puerto_Rico (Western Europe / US)"},
    {"0441", "Swahili (Western Europe / US)"},
    {"041d", "Swedish (Western Europe / US)"},
    {"081d", "Swedish_Finland (Western Europe / US)"},
    {"0449", "Tamil (Indic)"},
    {"0444", "Tatar (Cyrillic)"},
    {"041e", "Thai (Thai)"},
    {"041f", "Turkish (Turkic)"},
    {"0422", "Ukrainian (Cyrillic)"},
    {"0420", "Urdu (Arabic)"},
    {"0443", "Uzbek_Latin (Turkic)"},
    {"0843", "Uzbek_Cyrillic (Cyrillic)"},
    {"042a", "Vietnamese (Vietnamese)"},
}};

}  // namespace

std::span<const LocaleRow> LocaleTable() { return kLocales; }

std::string GetLanguageName(std::string_view localeText) {
  std::string text;
  for (char c : localeText)
    if (c != '\0') text += c;
  text = runtime::TrimBlanks(text);
  std::string last = text.size() > 4 ? text.substr(text.size() - 4) : text;
  for (char& c : last)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  for (const LocaleRow& row : kLocales)
    if (last == row.code) return row.name;
  return {};
}

std::string LocaleIdText(std::string_view localeName) {
  std::string name(localeName.substr(0, localeName.find_first_of(".@")));
  if (name.empty() || name == "C" || name == "POSIX") return {};
  const uint32_t lcid = uloc_getLCID(name.c_str());
  if (lcid == 0) return {};
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(lcid));
  return buf;
}

}  // namespace dialogs
