// Byte streams over disk files, memory and the embedded-file table.
// All multi-byte values are little-endian. Reading past the end yields zeros and sets Eof.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStream {
public:
    virtual ~TStream() = default;

    // Raw transfer; both return the number of bytes actually moved.
    virtual size_t Read(void* buf, size_t n) = 0;
    virtual size_t Write(const void* buf, size_t n) = 0;
    virtual int64_t Pos() const = 0;
    virtual int64_t Size() const = 0;
    // Returns the new position (clamped to 0..Size for readable streams).
    virtual int64_t Seek(int64_t pos) = 0;
    virtual void Close() {}
    // True when a write did not go through (disk full, read-only stream...).
    virtual bool Failed() const { return failed_; }

    bool Eof() const { return eof_ || Pos() >= Size(); }

    uint8_t ReadByte();
    int16_t ReadShort();
    int32_t ReadInt();
    float ReadFloat();
    // A line ends at LF or a zero byte; CR is dropped.
    std::string ReadLine();
    // Reads up to n bytes (fewer at the end of the stream).
    std::string ReadString(size_t n);
    std::vector<uint8_t> ReadAll();

    void WriteByte(uint8_t v);
    void WriteShort(int16_t v);
    void WriteInt(int32_t v);
    void WriteFloat(float v);
    // Writes the text followed by CR LF.
    void WriteLine(const std::string& s);
    void WriteString(const std::string& s);

protected:
    // Fills the rest of buf with zeros when fewer than n bytes came.
    void ReadExact(void* buf, size_t n);
    bool eof_ = false;
    bool failed_ = false;
};

using StreamRef = std::shared_ptr<TStream>;

// In-memory stream; either owns a growable buffer or views read-only bytes.
class TBankStream : public TStream {
public:
    TBankStream() = default;
    explicit TBankStream(std::vector<uint8_t> bytes) : owned_(std::move(bytes)) {}
    TBankStream(const uint8_t* data, size_t size) : view_(data), viewSize_(size), readOnly_(true) {}

    size_t Read(void* buf, size_t n) override;
    size_t Write(const void* buf, size_t n) override;
    int64_t Pos() const override { return pos_; }
    int64_t Size() const override { return readOnly_ ? int64_t(viewSize_) : int64_t(owned_.size()); }
    int64_t Seek(int64_t pos) override;

    const std::vector<uint8_t>& Bytes() const { return owned_; }

private:
    std::vector<uint8_t> owned_;
    const uint8_t* view_ = nullptr;
    size_t viewSize_ = 0;
    bool readOnly_ = false;
    int64_t pos_ = 0;
};

class TFileStream : public TStream {
public:
    TFileStream(std::FILE* f, bool readable, bool writable);
    ~TFileStream() override;
    size_t Read(void* buf, size_t n) override;
    size_t Write(const void* buf, size_t n) override;
    int64_t Pos() const override;
    int64_t Size() const override;
    int64_t Seek(int64_t pos) override;
    void Close() override;
    // Flushes to the disk; false when anything failed on the way.
    bool Sync();

private:
    std::FILE* f_;
    bool readable_, writable_;
};

inline constexpr const char* kIncbinPrefix = "incbin::";

// Opens a path for reading and/or writing. "incbin::" paths are served read-only from
// the embedded-file table. Returns null when the path cannot be opened.
StreamRef OpenStream(const std::string& path, bool readable, bool writable);
inline StreamRef ReadStream(const std::string& path) { return OpenStream(path, true, false); }
// Creates or truncates the file.
inline StreamRef WriteStream(const std::string& path) { return OpenStream(path, false, true); }

// Reads a whole file or embedded entry; false when it cannot be opened.
bool LoadBytes(const std::string& path, std::vector<uint8_t>& out);

// Writes the bytes to a temporary file beside the target, syncs it and renames it into
// place, so the old file stays whole when anything fails on the way.
bool SaveBytesAtomically(const std::string& path, const std::vector<uint8_t>& bytes);
