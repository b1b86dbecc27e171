// The About box's two stored buttons, made by the button's own WriteProperties
// from the skin bitmaps in resources/. Used by make_about_buttons (which writes
// resources/about-bSysInfo.store and about-bExit.store) and by the test that
// the committed stores are what it makes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace bxtest {

// resourcesDir: a Windows path to the resources folder. name: "sysinfo" or
// "exit". Empty when a skin cannot be read or a picture cannot be saved.
std::vector<uint8_t> MakeAboutButtonStore(const std::string& resourcesDir, const std::string& name,
                                          std::string* error = nullptr);
std::vector<uint8_t> ReadWholeFile(const std::string& path);

}  // namespace bxtest
