#include "tools/ctrpack/Commands.h"
#include "tools/ctrpack/MenuCommands.h"

const std::vector<Command>& CommandTable() {
    static const std::vector<Command> table = {
        {"pack", "pack OUT FILE... [--plain]",
         "store the files as entries 1..N of a new container (scrambled unless --plain)", &RunPack},
        {"list", "list CONTAINER [--offset N]",
         "print the entry count and each entry's first and last byte and size", &RunList},
        {"extract", "extract CONTAINER N OUT [--plain] [--offset N]",
         "write entry N to OUT (descrambled unless --plain)", &RunExtract},
        {"unpack", "unpack CONTAINER DIR [--plain] [--offset N]",
         "write every entry to DIR/1, DIR/2, ... (descrambled unless --plain)", &RunUnpack},
        {"build", "build MENU_DIR OUT [--no-check]",
         "make a launcher container from a menu folder (menu.ini and the files it names, or "
         "N-name files), checked first",
         &RunBuild},
        {"check", "check CONTAINER_OR_MENU_DIR",
         "list with file and line everything the launcher would refuse", &RunCheck},
        {"decompile", "decompile CONTAINER DIR [--offset N]",
         "write menu.ini, the notice and the pictures (BMP) of a container into DIR; building "
         "DIR gives the same entries",
         &RunDecompile},
        {"media",
         "media MENU_DIR OUT_DIR [--content DIR] [--launcher-name NAME] [--label TEXT] "
         "[--icon FILE.ico] [--iso FILE] [--sign CERT.pfx --password-file FILE | "
         "--password-env VAR [--timestamp URL]] [--launcher PATH]",
         "lay out a ready medium in OUT_DIR: the launcher, L-Ctnr.ctr, the content, autorun.inf "
         "(and a disc image, a signed launcher); all checked before anything is written",
         &RunMedia},
        {"new", "new DIR",
         "write a small working starter menu (menu.ini and PNG pictures) into DIR", &RunNew},
    };
    return table;
}
