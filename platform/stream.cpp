#include "platform/stream.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/embedded.hpp"
#include "platform/filesys.hpp"

void TStream::ReadExact(void* buf, size_t n) {
    size_t got = Read(buf, n);
    if (got < n) {
        std::memset(static_cast<uint8_t*>(buf) + got, 0, n - got);
        eof_ = true;
    }
}

uint8_t TStream::ReadByte() {
    uint8_t b[1];
    ReadExact(b, 1);
    return b[0];
}

int16_t TStream::ReadShort() {
    uint8_t b[2];
    ReadExact(b, 2);
    return int16_t(uint16_t(b[0] | (b[1] << 8)));
}

int32_t TStream::ReadInt() {
    uint8_t b[4];
    ReadExact(b, 4);
    return int32_t(uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24));
}

float TStream::ReadFloat() {
    int32_t i = ReadInt();
    float f;
    std::memcpy(&f, &i, 4);
    return f;
}

std::string TStream::ReadLine() {
    std::string line;
    uint8_t c;
    while (Read(&c, 1) == 1) {
        if (c == 10 || c == 0) return line;
        if (c != 13) line.push_back(char(c));
    }
    eof_ = true;
    return line;
}

std::string TStream::ReadString(size_t n) {
    std::string s;
    // Never trust n beyond what the stream can still deliver.
    int64_t left = std::max<int64_t>(0, Size() - Pos());
    size_t want = std::min<uint64_t>(n, uint64_t(left));
    s.resize(want);
    size_t got = want ? Read(s.data(), want) : 0;
    s.resize(got);
    if (got < n) eof_ = true;
    return s;
}

std::vector<uint8_t> TStream::ReadAll() {
    std::vector<uint8_t> out;
    int64_t left = std::max<int64_t>(0, Size() - Pos());
    out.resize(size_t(left));
    out.resize(Read(out.data(), out.size()));
    return out;
}

void TStream::WriteByte(uint8_t v) { Write(&v, 1); }

void TStream::WriteShort(int16_t v) {
    uint8_t b[2] = {uint8_t(v), uint8_t(uint16_t(v) >> 8)};
    Write(b, 2);
}

void TStream::WriteInt(int32_t v) {
    uint32_t u = uint32_t(v);
    uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    Write(b, 4);
}

void TStream::WriteFloat(float v) {
    int32_t i;
    std::memcpy(&i, &v, 4);
    WriteInt(i);
}

void TStream::WriteLine(const std::string& s) {
    WriteString(s);
    WriteString("\r\n");
}

void TStream::WriteString(const std::string& s) {
    if (!s.empty()) Write(s.data(), s.size());
}

size_t TBankStream::Read(void* buf, size_t n) {
    int64_t size = Size();
    if (pos_ >= size) return 0;
    size_t take = size_t(std::min<int64_t>(int64_t(n), size - pos_));
    const uint8_t* src = readOnly_ ? view_ : owned_.data();
    std::memcpy(buf, src + pos_, take);
    pos_ += int64_t(take);
    return take;
}

size_t TBankStream::Write(const void* buf, size_t n) {
    if (readOnly_) {
        failed_ = true;
        return 0;
    }
    if (size_t(pos_) + n > owned_.size()) owned_.resize(size_t(pos_) + n);
    std::memcpy(owned_.data() + pos_, buf, n);
    pos_ += int64_t(n);
    return n;
}

int64_t TBankStream::Seek(int64_t pos) {
    pos_ = std::clamp<int64_t>(pos, 0, Size());
    eof_ = false;
    return pos_;
}

TFileStream::TFileStream(std::FILE* f, bool readable, bool writable)
    : f_(f), readable_(readable), writable_(writable) {}

TFileStream::~TFileStream() { Close(); }

size_t TFileStream::Read(void* buf, size_t n) {
    if (!f_ || !readable_) return 0;
    return std::fread(buf, 1, n, f_);
}

size_t TFileStream::Write(const void* buf, size_t n) {
    if (!f_ || !writable_) {
        failed_ = true;
        return 0;
    }
    size_t w = std::fwrite(buf, 1, n, f_);
    if (w != n) failed_ = true;
    return w;
}

int64_t TFileStream::Pos() const { return f_ ? int64_t(std::ftell(f_)) : 0; }

int64_t TFileStream::Size() const {
    if (!f_) return 0;
    long here = std::ftell(f_);
    std::fseek(f_, 0, SEEK_END);
    long end = std::ftell(f_);
    std::fseek(f_, here, SEEK_SET);
    return end;
}

int64_t TFileStream::Seek(int64_t pos) {
    if (!f_) return 0;
    if (pos < 0) pos = 0;
    std::fseek(f_, long(pos), SEEK_SET);
    eof_ = false;
    return Pos();
}

bool TFileStream::Sync() {
    if (!f_) return false;
    if (std::fflush(f_) != 0) failed_ = true;
    if (fsync(fileno(f_)) != 0) failed_ = true;
    return !failed_;
}

void TFileStream::Close() {
    if (f_) {
        if (std::fclose(f_) != 0 && writable_) failed_ = true;
        f_ = nullptr;
    }
}

StreamRef OpenStream(const std::string& path, bool readable, bool writable) {
    if (path.rfind(kIncbinPrefix, 0) == 0) {
        if (writable) return nullptr;
        const EmbeddedFile* e = FindEmbeddedFile(path.substr(std::strlen(kIncbinPrefix)));
        if (!e) return nullptr;
        return std::make_shared<TBankStream>(e->data, e->size);
    }
    const char* mode = readable && writable ? "r+b" : writable ? "wb" : "rb";
    if (readable && FileType(path) != FILETYPE_FILE) return nullptr;
    std::FILE* f = std::fopen(path.c_str(), mode);
    if (!f) return nullptr;
    return std::make_shared<TFileStream>(f, readable, writable);
}

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out) {
    StreamRef s = ReadStream(path);
    if (!s) return false;
    out = s->ReadAll();
    return true;
}

bool SaveBytesAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string tmp = path + ".tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return false;
    TFileStream s(f, false, true);
    size_t n = bytes.size();
    if (testhooks::failSaveAfterBytes >= 0) n = std::min<size_t>(n, size_t(testhooks::failSaveAfterBytes));
    if (n) s.Write(bytes.data(), n);
    bool ok = n == bytes.size() && !s.Failed() && s.Sync();
    s.Close();
    ok = ok && !s.Failed();
    if (!ok || !RenameFile(tmp, path)) {
        DeleteFile(tmp);
        return false;
    }
    // Make the rename itself durable.
    std::string dir = path.substr(0, path.find_last_of('/') + 1);
    int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}
