#include "InputOutcome.h"

#include <cstring>

namespace {

void putNumber(std::string& out, int64_t number)
{
    char bytes[sizeof number];
    std::memcpy(bytes, &number, sizeof number);
    out.append(bytes, sizeof bytes);
}

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes(bytes) {}

    bool number(int64_t& value)
    {
        if (bytes.size() - at < sizeof value)
            return false;
        std::memcpy(&value, bytes.data() + at, sizeof value);
        at += sizeof value;
        return true;
    }

    bool text(std::string& value)
    {
        int64_t length = 0;
        if (!number(length) || length < 0 || static_cast<uint64_t>(length) > bytes.size() - at)
            return false;
        value.assign(bytes, at, static_cast<std::size_t>(length));
        at += static_cast<std::size_t>(length);
        return true;
    }

    bool atEnd() const { return at == bytes.size(); }

private:
    const std::string& bytes;
    std::size_t at = 0;
};

} // namespace

std::string encodeOutcome(const InputOutcome& outcome)
{
    std::string out;
    putNumber(out, static_cast<int64_t>(outcome.kind));
    putNumber(out, outcome.status);
    for (const int64_t count : outcome.warningsByLevel)
        putNumber(out, count);
    putNumber(out, outcome.outputBytes);
    putNumber(out, static_cast<int64_t>(outcome.texts.size()));
    for (const InputOutcome::Text& text : outcome.texts) {
        putNumber(out, static_cast<int64_t>(text.stream));
        putNumber(out, static_cast<int64_t>(text.text.size()));
        out += text.text;
    }
    return out;
}

bool decodeOutcome(const std::string& bytes, InputOutcome& outcome)
{
    Reader reader(bytes);
    int64_t kind = 0, status = 0, texts = 0;
    if (!reader.number(kind) || kind < 0 || kind > 2 || !reader.number(status))
        return false;
    outcome = InputOutcome();
    outcome.kind = static_cast<InputOutcome::Kind>(kind);
    outcome.status = static_cast<int>(status);
    for (int64_t& count : outcome.warningsByLevel)
        if (!reader.number(count))
            return false;
    if (!reader.number(outcome.outputBytes) || !reader.number(texts))
        return false;
    for (int64_t i = 0; i < texts; ++i) {
        int64_t stream = 0;
        std::string text;
        if (!reader.number(stream) || stream < 0 || stream > 2 || !reader.text(text))
            return false;
        outcome.print(static_cast<InputOutcome::Stream>(stream), std::move(text));
    }
    return reader.atEnd();
}
