// The product's own values that the information windows, the mails and the help menu show:
// names, addresses, pages and notices. The version comes from the build (product_version.h).
#pragma once

#include "dialogs/info/product_version.h"
#include "platform/message_box.h"

namespace dialogs {

inline constexpr const char* kProductName = platform::kProductName;  // "Zorvane"
// The family of products of the maker, and its abbreviation (used in the mails).
inline constexpr const char* kFamilyName = "Zorvane Orbital Rendering Visuals";
inline constexpr const char* kFamilyAbbreviation = "ZORV";
inline constexpr const char* kFeedbackAddress = "feedback@zorvane.org";
inline constexpr const char* kContactAddress = "author@zorvane.org";
inline constexpr const char* kHomePage = "https://zorvane.org/";
inline constexpr const char* kFaqPage = "https://zorvane.org/faq.html";
// The maker, in the about window and (as two lines) in the credits.
inline constexpr const char* kMakerLine = "Zorvane Orbital Rendering Visuals";
inline constexpr const char* kMakerName1 = "Zorvane Orbital";
inline constexpr const char* kMakerName2 = "Rendering Visuals";
// The notice of the about window and the last credit line (the credits show 32 characters of it).
inline constexpr const char* kNotice = "(C) 2026 The Zorvane Developers";

// The names of the credits.
inline constexpr const char* kEngineerName = "The Zorvane Developers";
inline constexpr const char* kBookAuthors[5] = {"Foley, van Dam", "Bowyer, Woodwark", "Serway, Faughn",
                                                "Brown, LeMay, Bursten", "Various Authors"};
inline constexpr const char* kTesters[9] = {"Aster Vale", "Brin Okafor", "Cass Lindqvist", "Dara Moreau",
                                            "Emil Sato",  "Fern Alvarez", "Gus Petrov",   "Hana Ruiz",
                                            "Ivo Brandt"};
inline constexpr const char* kDedication[3] = {"To everyone who looks up", "at the night sky and wonders",
                                               "what else is out there."};

}  // namespace dialogs
