#include "designer/app/DocumentMenuContent.h"

#include "authoring/MenuDocument.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"

TDocumentMenuContent::TDocumentMenuContent(const MenuDocument& menu) : entries_(menu.Entries()) {
    const std::vector<uint8_t> list = menu.ConfigurationList();
    TMemoryStream stream;
    if (!list.empty())
        stream.Write(list.data(), static_cast<int64_t>(list.size()));
    stream.SetPosition(0);
    lines_.LoadFromStream(stream);
}

std::unique_ptr<TMemoryStream> TDocumentMenuContent::Entry(uint8_t fileNo) {
    if (fileNo < 1 || fileNo > entries_.size())
        throw EReadError("The menu has no entry " + std::to_string(fileNo) + ".");
    auto stream = std::make_unique<TMemoryStream>();
    const std::vector<uint8_t>& bytes = entries_[fileNo - 1];
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}
