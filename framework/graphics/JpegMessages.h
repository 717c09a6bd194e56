// The runtime's German wording for the faults libjpeg reports, so that a
// damaged JPEG picture gets a message in the same language as every other
// error. libjpeg's own texts are English.
#pragma once

#include <string>

// The detail for libjpeg's message code with its first two numeric parameters,
// in German (CP1252), for the faults a damaged or unusual file commonly has;
// empty for any other code, whose message then carries the main text alone.
std::string JpegFaultText(int messageCode, int first, int second);
