// Splits the offline atlas's index into the web page's parts (atlas/IndexParts.h):
//   split_atlas INDEX FOLDER
// writes common.part and 000.part, 001.part, ... into FOLDER, which it empties of
// parts first, and prints how many and how large.
#include "atlas/IndexParts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& message)
{
    std::cerr << "split_atlas: " << message << '\n';
    std::exit(1);
}

void write(const fs::path& file, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        fail("cannot write " + file.string());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: split_atlas INDEX FOLDER\n";
        return 2;
    }
    const atlas::IndexLoad load = atlas::PlaceIndex::load(argv[1]);
    if (!load.index)
        fail(load.error);
    std::string error;
    const std::vector<atlas::PartFile> files =
        atlas::splitIndex(*load.index, atlas::kWebPartBytes, error);
    if (files.empty())
        fail(error);

    const fs::path folder = argv[2];
    std::error_code failed;
    fs::create_directories(folder, failed);
    if (failed)
        fail("cannot make " + folder.string() + ": " + failed.message());
    for (const fs::directory_entry& old : fs::directory_iterator(folder, failed))
        if (old.path().extension() == ".part")
            fs::remove(old.path(), failed);
    std::size_t largest = 0;
    std::size_t total = 0;
    for (const atlas::PartFile& file : files) {
        write(folder / file.name, file.bytes);
        if (&file != &files.front())
            largest = std::max(largest, file.bytes.size());
        total += file.bytes.size();
    }
    std::cout << "split_atlas: " << files.size() - 1 << " parts, the largest " << largest
              << " bytes, the common part " << files.front().bytes.size() << " bytes, " << total
              << " bytes in all\n";
    return 0;
}
