// Names from a chapter through libvael's C++ wrapper.
//
//   names++ CHAPTER [COUNT [SEED [FIT]]]
//
// prints COUNT names (default 10); with a SEED they are the names
// `vaelgen -n COUNT --seed SEED [--fit FIT] CHAPTER` prints. VAEL_LOG=1 also
// prints the generation log of one more name to standard error.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include <vael/vael.hpp>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: names++ CHAPTER [COUNT [SEED [FIT]]]\n";
    return 2;
  }
  try {
    const vael::Chapter chapter(argv[1]);
    const long count = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10;
    const std::uint32_t seed =
        argc > 3 ? static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)) : vael_clock_seed();
    vael::Options options;  // unset options: the chapter's own
    if (argc > 4) options.fit = std::atoi(argv[4]);

    vael::Generator generator = chapter.generator(seed, options);
    long made = 0;
    for (const std::string& name : generator) {
      if (made++ == count) break;
      std::cout << name << '\n';
    }
    if (std::getenv("VAEL_LOG") != nullptr) std::cerr << generator.nextLogged().second;
  } catch (const vael::Error& error) {
    std::cerr << "names++: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
