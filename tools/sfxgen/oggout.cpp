#include "oggout.hpp"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace sfx {

namespace {
constexpr int kSerial = 0x56454C4D;  // "VELM"
constexpr size_t kChunk = 1024;
}  // namespace

void WriteOgg(const std::string& path, const Sound& s, float quality, const std::string& title) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    auto put = [&](const ogg_page& pg) {
        std::fwrite(pg.header, 1, size_t(pg.header_len), f);
        std::fwrite(pg.body, 1, size_t(pg.body_len), f);
    };

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, s.Channels(), kRate, quality) != 0) {
        std::fclose(f);
        throw std::runtime_error("vorbis encoder refused the settings for " + path);
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
    vorbis_comment_add_tag(&vc, "ARTIST", "the Velmora team");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, kSerial);

    ogg_packet hdr, hdrComm, hdrCode;
    vorbis_analysis_headerout(&vd, &vc, &hdr, &hdrComm, &hdrCode);
    ogg_stream_packetin(&os, &hdr);
    ogg_stream_packetin(&os, &hdrComm);
    ogg_stream_packetin(&os, &hdrCode);
    ogg_page pg;
    while (ogg_stream_flush(&os, &pg)) put(pg);

    auto drain = [&] {
        ogg_packet op;
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &pg)) put(pg);
            }
        }
    };
    for (size_t pos = 0; pos < s.Frames(); pos += kChunk) {
        const size_t n = std::min(kChunk, s.Frames() - pos);
        float** buf = vorbis_analysis_buffer(&vd, int(n));
        for (int c = 0; c < s.Channels(); ++c) std::copy_n(s.ch[size_t(c)].begin() + long(pos), n, buf[c]);
        vorbis_analysis_wrote(&vd, int(n));
        drain();
    }
    vorbis_analysis_wrote(&vd, 0);
    drain();
    while (ogg_stream_flush(&os, &pg)) put(pg);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    const bool ok = std::ferror(f) == 0;
    if (std::fclose(f) != 0 || !ok) throw std::runtime_error("write failed: " + path);
}

}  // namespace sfx
