// Reading a model file's lines in bounded memory.
#include "ModelLines.h"

#include <algorithm>

#include "ModelFile.h"
#include "files/RegularFile.h"

namespace par {

bool ModelLines::Fill(int line)
{
    next_ = 0;
    size_ = 0;
    if (ended_) return false;
    if (taken_ >= MaxModelFileBytes) {
        // One byte more tells a file of exactly the limit from a larger one.
        char extra = 0;
        in_.read(&extra, 1);
        if (in_.bad()) throw ModelError(line, "the file could not be read to its end");
        if (in_.gcount() == 0) {
            ended_ = true;
            return false;
        }
        throw ModelError(line, "the file goes on past " + files::SizeInWords(MaxModelFileBytes) +
                                   " (a model is a few KiB); is it a model?");
    }
    const auto want = static_cast<std::streamsize>(std::min<std::uint64_t>(buffer_.size(), MaxModelFileBytes - taken_));
    in_.read(buffer_.data(), want);
    if (in_.bad()) throw ModelError(line, "the file could not be read to its end");
    size_ = static_cast<size_t>(in_.gcount());
    taken_ += size_;
    if (size_ == 0) {
        ended_ = true;
        return false;
    }
    if (!started_) {
        started_ = true;
        if (size_ >= 3 && buffer_[0] == '\xEF' && buffer_[1] == '\xBB' && buffer_[2] == '\xBF') next_ = 3;
    }
    return true;
}

bool ModelLines::ReadLine(ModelLine& line)
{
    line.words.clear();
    std::string word;
    size_t length = 0;
    bool begun = false;
    bool comment = false;
    auto endWord = [&] {
        if (!word.empty()) line.words.push_back(std::move(word));
        word.clear();
    };
    for (;;) {
        if (next_ == size_ && !Fill(begun ? number_ : number_ + 1)) {
            if (!begun) return false;
            break;  // a last line without a line end
        }
        const char c = buffer_[next_++];
        if (afterReturn_) {
            afterReturn_ = false;
            if (c == '\n') continue;  // CR LF is one line end
        }
        if (!begun) {
            begun = true;
            ++number_;
        }
        if (c == '\n' || c == '\r') {
            afterReturn_ = c == '\r';
            break;
        }
        if (++length > MaxModelLineBytes) {
            throw ModelError(number_, "the line is longer than " + std::to_string(MaxModelLineBytes) +
                                          " characters (a model's lines are short); is it a model?");
        }
        if (comment) continue;
        if (c == '#') {
            comment = true;
        } else if (c == ' ' || c == '\t') {
            endWord();
        } else if (const auto u = static_cast<unsigned char>(c); u < 0x20 || u >= 0x7f) {
            throw ModelError(number_, "a character that is not plain text");
        } else {
            word.push_back(c);
        }
    }
    endWord();
    line.number = number_;
    return true;
}

bool ModelLines::Next(ModelLine& line)
{
    while (ReadLine(line)) {
        if (!line.words.empty()) return true;
    }
    return false;
}

}  // namespace par
