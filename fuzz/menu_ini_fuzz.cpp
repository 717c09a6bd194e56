// menu.ini and the configuration list through the menu model. Whatever the
// input, reading never crashes. A menu.ini given as input (first byte even)
// that reads and passes the checks builds into a container; a configuration
// list given as a container's entry 1 (first byte odd) is kept byte for
// byte. Either way the menu is taken apart into a menu.ini as decompile
// does, which reads again without an error and builds the same entries.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "authoring/AuthoringError.h"
#include "authoring/MenuBuild.h"
#include "authoring/MenuCheck.h"
#include "authoring/MenuIni.h"

namespace {

void Fail(const char* what, const std::string& ini) {
    std::fprintf(stderr, "%s\n--- menu.ini written ---\n%s\n", what, ini.c_str());
    std::abort();
}

// What a folder written from menu gives when read again: its menu.ini, and
// the files it names holding the bytes they were written with.
MenuDocument ReadBackAsFolder(const MenuDocument& menu, const std::string& ini) {
    std::vector<Problem> problems;
    MenuIniResult back = ReadMenuIni("again.ini", ini, problems);
    // A warning (text that looks like UTF-8, say) is the author's to weigh;
    // an error would keep the folder from building again.
    for (const Problem& problem : problems)
        if (problem.severity == Severity::Error)
            Fail(problem.Format().c_str(), ini);
    back.menu.Notice().bytes = menu.Notice().bytes;
    for (int i = 0; i < kPictureCount; ++i)
        back.menu.Picture(PictureAt(i)).bytes = menu.Picture(PictureAt(i)).bytes;
    if (back.menu.Extra().size() != menu.Extra().size())
        Fail("the extra entries changed", ini);
    for (std::size_t i = 0; i < menu.Extra().size(); ++i)
        back.menu.Extra()[i].bytes = menu.Extra()[i].bytes;
    return std::move(back.menu);
}

// Decompile and build again: the same entries.
void TakeApartAndBuild(const std::vector<std::vector<uint8_t>>& entries) {
    MenuDocument apart;
    try {
        apart = MenuFromEntries("fuzz.ctr", entries);
    } catch (const ConversionError&) {
        return; // a NUL byte in the list: refused with a message
    }
    NameDecompiledFiles(apart);
    const std::string ini = WriteMenuIni(apart);
    if (ReadBackAsFolder(apart, ini).Entries() != entries)
        Fail("the entries built again differ", ini);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const bool asList = (data[0] & 1) != 0;
    if (asList) {
        const std::vector<uint8_t> list(data + 1, data + size);
        try {
            if (MenuFromEntries("fuzz.ctr", {list}).ConfigurationList() != list)
                Fail("the list read is not the list given", "");
        } catch (const ConversionError&) {
            return 0;
        }
        TakeApartAndBuild({list});
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<Problem> problems;
    const MenuIniResult read = ReadMenuIni("fuzz.ini", text, problems);
    for (const Problem& problem : problems)
        if (problem.Format().empty())
            Fail("a problem without text", "");
    const std::vector<Problem> checked = CheckMenu(read.menu, read.origins);
    // Written and read back, the menu keeps its texts even with mistakes.
    const std::string again = WriteMenuIni(read.menu);
    if (ReadBackAsFolder(read.menu, again).ConfigurationList() != read.menu.ConfigurationList())
        Fail("the configuration list changed", again);
    if (HasErrors(problems) || HasErrors(checked))
        return 0;
    // What passes builds, and its container comes apart into the same entries.
    try {
        (void)ContainerOfMenu(read.menu, "fuzz.ini");
    } catch (const AuthoringError& error) {
        Fail(error.what(), text);
    }
    TakeApartAndBuild(read.menu.Entries());
    return 0;
}
