// horn_art OUTDIR: draws the horn gauge's bitmaps, synthesises its two recordings and writes
// the resources.list that names them.
#include "plate_art.h"
#include "recordings.h"
#include "tools/art/resources.h"
#include "tools/art/wav_writer.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: horn_art OUTDIR\n";
        return 2;
    }
    try {
        art::ResourceWriter out(argv[1], "hornmod");
        out.add_bitmap(0x1000, horn_art::plate_picture());
        out.add_bitmap(0x2000, horn_art::lever_up_picture());
        out.add_bitmap(0x2003, horn_art::lever_centred_picture());
        out.add_bitmap(0x2006, horn_art::lever_down_picture());

        art::WavFormat click;
        click.bits = 8;
        click.sample_rate = horn_art::kRecordingRate;
        click.extended_format = true;
        click.fact_chunk = true;
        out.add_data("CLICK", "click.wav", art::encode_wav(horn_art::click_recording(), click));

        art::WavFormat horn;
        horn.bits = 16;
        horn.sample_rate = horn_art::kRecordingRate;
        horn.info = {{"INAM", "Gear warning horn"}, {"ICMT", "Loops without a seam"}};
        out.add_data("HORN", "horn.wav", art::encode_wav(horn_art::horn_recording(), horn));

        out.write_list();
    } catch (const std::exception& e) {
        std::cerr << "horn_art: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
