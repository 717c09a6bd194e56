#include "framework/graphics/JpegMessages.h"

#include <cstdio>
#include <cstdlib>

extern "C" {
#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>
}

namespace {

// A marker or table byte as libjpeg shows it: 0x and two hexadecimal digits.
std::string Hex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02x", static_cast<unsigned>(value) & 0xFFu);
    return text;
}

const char kUnsupported[] = " wird nicht unterst\xFCtzt";
const char kCorrupt[] = "besch\xE4"
                        "digte JPEG-Daten: ";
const char kStructure[] = "ung\xFCltiger Aufbau der JPEG-Datei: ";

} // namespace

std::string JpegFaultText(int messageCode, int first, int second) {
    const std::string a = std::to_string(first);
    switch (messageCode) {
    case JERR_NO_SOI:
        return "keine JPEG-Datei (beginnt mit " + Hex(first) + " " + Hex(second) + ")";
    case JERR_INPUT_EMPTY:
        return "die Datei ist leer";
    case JERR_INPUT_EOF:
    case JWRN_JPEG_EOF:
        return "vorzeitiges Ende der JPEG-Datei";
    case JWRN_HIT_MARKER:
        return kCorrupt + std::string("ein Datenabschnitt endet vorzeitig");
    case JWRN_EXTRANEOUS_DATA:
        return kCorrupt + a +
               " \xFC"
               "berz\xE4hlige Bytes vor dem Marker " +
               Hex(second);
    case JWRN_HUFF_BAD_CODE:
        return kCorrupt + std::string("ung\xFCltiger Huffman-Code");
    case JERR_BAD_HUFF_TABLE:
        return "ung\xFCltige Huffman-Tabelle";
    case JERR_NO_HUFF_TABLE:
        return "die Huffman-Tabelle " + Hex(first) + " ist nicht definiert";
    case JERR_NO_QUANT_TABLE:
        return "die Quantisierungstabelle " + Hex(first) + " ist nicht definiert";
    case JERR_BAD_J_COLORSPACE:
        return "ung\xFCltiger JPEG-Farbraum";
    case JERR_CONVERSION_NOTIMPL:
        return "der Farbraum des Bildes" + std::string(kUnsupported);
    case JERR_COMPONENT_COUNT:
        return "zu viele Farbkomponenten (" + a +
               ", h\xF6"
               "chstens " +
               std::to_string(second) + ")";
    case JERR_IMAGE_TOO_BIG:
        return "Bild zu gro\xDF (h\xF6"
               "chstens " +
               a + " Pixel je Seite)";
    case JERR_WIDTH_OVERFLOW:
        return "Bild zu breit";
    case JERR_EMPTY_IMAGE:
    case JERR_NO_IMAGE:
        return "die JPEG-Daten enthalten kein Bild";
    case JERR_SOF_UNSUPPORTED:
        return "das JPEG-Verfahren (SOF-Typ " + Hex(first) + ")" + kUnsupported;
    case JERR_BAD_PRECISION:
        return "eine Genauigkeit von " + a + " Bit" + kUnsupported;
    case JERR_SOI_DUPLICATE:
        return kStructure + std::string("zwei SOI-Marker");
    case JERR_SOF_DUPLICATE:
        return kStructure + std::string("zwei SOF-Marker");
    case JERR_SOF_NO_SOS:
        return kStructure + std::string("der SOS-Marker fehlt");
    case JERR_SOS_NO_SOF:
        return kStructure + std::string("SOS vor SOF");
    case JERR_BAD_LENGTH:
        return "ung\xFCltige Markerl\xE4nge";
    case JERR_UNKNOWN_MARKER:
        return "der Marker-Typ " + Hex(first) + kUnsupported;
    case JERR_BAD_SAMPLING:
        return "ung\xFCltige Abtastfaktoren";
    default:
        return "";
    }
}
