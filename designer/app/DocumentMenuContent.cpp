#include "designer/app/DocumentMenuContent.h"

#include "authoring/MenuDocument.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"

TDocumentMenuContent::TDocumentMenuContent(const MenuDocument& menu) : menu_(menu) {
    const std::vector<uint8_t> list = menu.ConfigurationList();
    TMemoryStream stream;
    if (!list.empty())
        stream.Write(list.data(), static_cast<int64_t>(list.size()));
    stream.SetPosition(0);
    lines_.LoadFromStream(stream);
}

// Only the entry asked for is copied: a large background is read once.
std::unique_ptr<TMemoryStream> TDocumentMenuContent::Entry(uint8_t fileNo) {
    if (fileNo < 2 || fileNo > kLauncherEntries || fileNo > menu_.EntryCount())
        throw EReadError("The menu has no entry " + std::to_string(fileNo) + ".");
    const std::vector<uint8_t>& bytes =
        fileNo == 2 ? menu_.Notice().bytes
                    : menu_.Picture(PictureAt(fileNo - kFirstPictureEntry)).bytes;
    auto stream = std::make_unique<TMemoryStream>();
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}
