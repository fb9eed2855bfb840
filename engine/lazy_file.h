// An output file that is created or emptied only when the first character
// is written to it, so that a file that receives nothing in a run keeps
// what it held before.
#pragma once

#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <memory>

#include "engine/text_output.h"

namespace tovek {

class LazyFileBuffer : public std::streambuf {
public:
    explicit LazyFileBuffer(std::filesystem::path path) : path_(std::move(path)) {}
    bool failed() const { return failed_; }
    bool opened() const { return file_.is_open(); }
    void close() {
        if (file_.is_open()) file_.close();
    }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (!ensureOpen()) return traits_type::eof();
        return file_.sputc(traits_type::to_char_type(c));
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        if (!ensureOpen()) return 0;
        return file_.sputn(s, n);
    }
    int sync() override { return file_.is_open() ? file_.pubsync() : 0; }

private:
    bool ensureOpen() {
        if (file_.is_open()) return true;
        if (failed_) return false;
        buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
        file_.pubsetbuf(buffer_.get(), static_cast<std::streamsize>(kBufferSize));
        if (!file_.open(path_, kTextOutputMode)) failed_ = true;
        return !failed_;
    }
    // A large buffer keeps the many short rows of a big run to few writes.
    static constexpr size_t kBufferSize = 1 << 18;
    std::filesystem::path path_;
    std::unique_ptr<char[]> buffer_;
    std::filebuf file_;
    bool failed_ = false;
};

class LazyOutputFile : public std::ostream {
public:
    explicit LazyOutputFile(std::filesystem::path path) : std::ostream(nullptr), buffer_(std::move(path)) {
        rdbuf(&buffer_);
    }
    void close() {
        flush();
        buffer_.close();
    }
    bool failed() const { return buffer_.failed(); }

private:
    LazyFileBuffer buffer_;
};

} // namespace tovek
