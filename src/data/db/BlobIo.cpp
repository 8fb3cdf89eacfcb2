#include "data/db/BlobIo.h"

#include <algorithm>
#include <vector>

namespace zorv::db::detail {

namespace {

// A segment length is a 16-bit count.
constexpr unsigned kSegmentSize = 65535;

/// Closes the blob when the scope ends early through an exception.
class OpenBlob {
public:
    explicit OpenBlob(Firebird::IBlob* blob) : blob_(blob) {}
    ~OpenBlob()
    {
        if (!blob_)
            return;
        QuietStatus quiet;
        blob_->cancel(quiet.get());
        if (quiet.failed())
            blob_->release();
    }
    OpenBlob(const OpenBlob&) = delete;
    OpenBlob& operator=(const OpenBlob&) = delete;

    Firebird::IBlob* operator->() const { return blob_; }
    void close(StatusWrapper* status)
    {
        blob_->close(status);
        blob_ = nullptr;
    }

private:
    Firebird::IBlob* blob_;
};

} // namespace

std::string readBlob(Attachment& attachment, Firebird::ITransaction* transaction, ISC_QUAD id)
{
    StatusWrapper* status = attachment.status();
    OpenBlob blob(attachment.handle()->openBlob(status, transaction, &id, 0, nullptr));
    std::string content;
    std::vector<char> segment(kSegmentSize);
    for (;;) {
        unsigned length = 0;
        const int result = blob->getSegment(status, kSegmentSize, segment.data(), &length);
        if (result == Firebird::IStatus::RESULT_NO_DATA)
            break;
        content.append(segment.data(), length);
    }
    blob.close(status);
    return content;
}

ISC_QUAD writeBlob(Attachment& attachment, Firebird::ITransaction* transaction, std::string_view bytes)
{
    StatusWrapper* status = attachment.status();
    ISC_QUAD id{};
    OpenBlob blob(attachment.handle()->createBlob(status, transaction, &id, 0, nullptr));
    while (!bytes.empty()) {
        const std::size_t length = std::min<std::size_t>(bytes.size(), kSegmentSize);
        blob->putSegment(status, static_cast<unsigned>(length), bytes.data());
        bytes.remove_prefix(length);
    }
    blob.close(status);
    return id;
}

} // namespace zorv::db::detail
