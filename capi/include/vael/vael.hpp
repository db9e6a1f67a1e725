// libvael for C++17: the C interface of vael/vael.h with owned handles,
// std::string and iterators. Header only: the library's ABI stays the C one.
// Failures throw vael::Error with the library's message and code.
//
//   vael::Chapter chapter("villages.vel");
//   vael::Options options;
//   options.fit = 3;
//   for (const std::string& name : chapter.names(10, 7, options)) std::cout << name << '\n';
//
// The classes sit in an inline namespace, so that their linker names never
// meet those of the engine inside a static libvael.
#ifndef VAEL_VAEL_HPP
#define VAEL_VAEL_HPP

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vael/vael.h"

namespace vael {
inline namespace wrapper {

// A failure of the library: what() is vael_last_error()'s text.
class Error : public std::runtime_error {
 public:
  Error(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const noexcept { return code_; }

 private:
  int code_;
};

namespace detail {
inline void Check(int status) {
  if (status != VAEL_OK) throw Error(status, vael_last_error());
}
struct ChapterFree {
  void operator()(vael_chapter* chapter) const noexcept { vael_chapter_free(chapter); }
};
struct GeneratorFree {
  void operator()(vael_generator* generator) const noexcept { vael_generator_free(generator); }
};
struct ReportFree {
  void operator()(vael_report* report) const noexcept { vael_report_free(report); }
};
// Text from a call that fills a buffer: asks for the length first.
template <typename Call>
std::string Text(Call&& call) {
  std::size_t length = 0;
  int status = call(nullptr, 0, &length);
  if (status != VAEL_E_SPACE) Check(status);
  std::string text(length, '\0');
  Check(call(&text[0], length + 1, &length));
  return text;
}
}  // namespace detail

inline const char* version() noexcept { return vael_version(); }

// Choices of a request; those left unset take the chapter's recommended
// values, as vaelgen does with options not given.
struct Options {
  std::optional<int> fit;  // 0..3
  std::optional<bool> statistical, structural, prefixes, suffixes;
  std::string initial;     // "" for any, else one letter (UTF-8)
  std::optional<int> val;  // 0..9
};

// Which names a generator hands over (see vael_filters); empty texts ask for
// nothing.
struct Filters {
  bool unique = false;
  int minLength = 0, maxLength = 0;  // letters; 0: no bound
  bool noSamples = false, novel = false;
  std::string startsWith, endsWith, contains, excludes;
  bool clean = false;
  std::vector<std::string> cleanWords;  // more words for clean (implies it)
};

// What a chapter report shows of one setting (see vael_figures).
struct Figures {
  vael_options setting{};
  bool compared = false;
  int names = 0, distinct = 0, distinctNew = 0, sampleCopies = 0, nearCopies = 0, unseenPairs = 0;
  double meanLength = 0, expectedMeanLength = 0, lengthGap = 0, initialGap = 0, accentGap = 0;
  unsigned broken = 0;  // VAEL_BOUND_ bits
};

namespace detail {
inline Figures FromC(const vael_options& setting, const vael_figures& f) {
  Figures figures;
  figures.setting = setting;
  figures.compared = f.compared != 0;
  figures.names = f.names;
  figures.distinct = f.distinct;
  figures.distinctNew = f.distinct_new;
  figures.sampleCopies = f.sample_copies;
  figures.nearCopies = f.near_copies;
  figures.unseenPairs = f.unseen_pairs;
  figures.meanLength = f.mean_length;
  figures.expectedMeanLength = f.expected_mean_length;
  figures.lengthGap = f.length_gap;
  figures.initialGap = f.initial_gap;
  figures.accentGap = f.accent_gap;
  figures.broken = f.broken;
  return figures;
}
}  // namespace detail

class Generator;
class Report;

// A loaded chapter; read only, so one Chapter may serve generators on any
// number of threads. Copies share the loaded chapter.
class Chapter {
 public:
  // A .vel, .qch or .txt file.
  explicit Chapter(const std::string& path) {
    vael_chapter* chapter = nullptr;
    detail::Check(vael_chapter_open(path.c_str(), &chapter));
    chapter_.reset(chapter, detail::ChapterFree());
  }

  // A chapter file's bytes; fileName tells the kind (".txt" is a list).
  static Chapter FromMemory(std::string_view bytes, const std::string& fileName) {
    vael_chapter* chapter = nullptr;
    detail::Check(vael_chapter_from_memory(bytes.data(), bytes.size(), fileName.c_str(), &chapter));
    return Chapter(chapter);
  }

  // Sample names, as a plain list of them loads.
  static Chapter FromNames(const std::vector<std::string>& names, const std::string& title = {}) {
    std::vector<const char*> pointers;
    pointers.reserve(names.size());
    for (const std::string& name : names) pointers.push_back(name.c_str());
    vael_chapter* chapter = nullptr;
    detail::Check(
        vael_chapter_from_names(pointers.data(), pointers.size(), title.c_str(), &chapter));
    return Chapter(chapter);
  }

  std::string title() const { return vael_chapter_title(chapter_.get()); }
  // VAEL_TEXT_TITLE ... VAEL_TEXT_INITIALS.
  std::string text(vael_text which) const {
    const char* text = vael_chapter_text(chapter_.get(), which);
    if (text == nullptr) throw Error(VAEL_E_ARGUMENT, "vael::Chapter::text: no such text");
    return text;
  }
  std::size_t leftOut() const { return vael_chapter_left_out(chapter_.get()); }

  // The chapter's recommended options.
  vael_options recommended() const {
    vael_options options{};
    options.size = sizeof options;
    detail::Check(vael_chapter_options(chapter_.get(), &options));
    return options;
  }

  // The choices as the interface takes them: VAEL_OWN where none is made.
  static vael_options toC(const Options& choices) {
    vael_options options{};
    options.size = sizeof options;
    options.fit = choices.fit.value_or(VAEL_OWN);
    auto own = [](const std::optional<bool>& on) { return on ? int{*on} : VAEL_OWN; };
    options.statistical = own(choices.statistical);
    options.structural = own(choices.structural);
    options.prefixes = own(choices.prefixes);
    options.suffixes = own(choices.suffixes);
    options.val = choices.val.value_or(VAEL_OWN);
    if (choices.initial.size() >= sizeof options.initial) {
      throw Error(VAEL_E_ARGUMENT,
                  "vael::Options::initial: \"" + choices.initial + "\" is no letter");
    }
    std::memcpy(options.initial, choices.initial.data(), choices.initial.size());
    return options;
  }

  // The options a generator with these choices uses: the chapter's own
  // where none is made.
  vael_options resolve(const Options& choices) const {
    vael_options options = toC(choices);
    detail::Check(vael_options_resolve(chapter_.get(), &options));
    return options;
  }

  inline Generator generator(std::uint32_t seed, const Options& choices = {}) const;
  // `count` names of a generator with this seed and these choices.
  inline std::vector<std::string> names(std::size_t count, std::uint32_t seed,
                                        const Options& choices = {}) const;
  // The figures of `count` names made with the choices and the seed.
  Figures measure(const Options& choices = {}, int count = 10000, std::uint32_t seed = 1) const {
    const vael_options options = resolve(choices);
    vael_figures figures{};
    figures.size = sizeof figures;
    detail::Check(vael_chapter_measure(chapter_.get(), &options, count, seed, &figures));
    return detail::FromC(options, figures);
  }
  inline Report report(int namesPerSetting = 10000, std::uint32_t seed = 1) const;

  const vael_chapter* handle() const noexcept { return chapter_.get(); }

 private:
  explicit Chapter(vael_chapter* chapter) : chapter_(chapter, detail::ChapterFree()) {}
  std::shared_ptr<vael_chapter> chapter_;
};

// Names from a chapter, one thread at a time; endless, so it is its own
// range: `for (const std::string& name : generator)` goes on until broken
// off.
class Generator {
 public:
  // The next name.
  std::string next() {
    return detail::Text([this](char* buffer, std::size_t size, std::size_t* length) {
      return vael_generator_next(generator_.get(), buffer, size, length);
    });
  }
  // The next name with its generation log (UTF-8, CR LF line ends).
  std::pair<std::string, std::string> nextLogged() {
    std::string name = detail::Text([this](char* buffer, std::size_t size, std::size_t* length) {
      return vael_generator_next_logged(generator_.get(), buffer, size, length);
    });
    std::string log = detail::Text([this](char* buffer, std::size_t size, std::size_t* length) {
      return vael_generator_log(generator_.get(), buffer, size, length);
    });
    return {std::move(name), std::move(log)};
  }
  // The next `count` names, made in batches.
  std::vector<std::string> names(std::size_t count) {
    std::vector<std::string> names;
    names.reserve(count);
    std::string buffer(16384, '\0');
    while (names.size() < count) {
      std::size_t made = 0, length = 0;
      const int status = vael_generator_names(generator_.get(), count - names.size(), &buffer[0],
                                              buffer.size(), &made, &length);
      if (status == VAEL_E_SPACE) {
        buffer.resize(length * 2);
        continue;
      }
      detail::Check(status);
      for (const char *at = buffer.data(), *end = at + length; at < end;
           at += std::strlen(at) + 1) {
        names.emplace_back(at);
      }
    }
    return names;
  }
  void restart(std::uint32_t seed) {
    detail::Check(vael_generator_restart(generator_.get(), seed));
  }
  // Other options from the next name on; history and random numbers go on.
  void setOptions(const vael_options& options) {
    detail::Check(vael_generator_set_options(generator_.get(), &options));
  }
  // From the next name on, only names that pass these filters.
  void setFilters(const Filters& choices) {
    vael_filters filters{};
    filters.size = sizeof filters;
    filters.unique = choices.unique;
    filters.min_length = choices.minLength;
    filters.max_length = choices.maxLength;
    filters.no_samples = choices.noSamples;
    filters.novel = choices.novel;
    filters.starts_with = choices.startsWith.c_str();
    filters.ends_with = choices.endsWith.c_str();
    filters.contains = choices.contains.c_str();
    filters.excludes = choices.excludes.c_str();
    filters.clean = choices.clean;
    std::string words;
    for (const std::string& word : choices.cleanWords) words += word + "\n";
    if (!choices.cleanWords.empty()) filters.clean_words = words.c_str();
    detail::Check(vael_generator_set_filters(generator_.get(), &filters));
  }

  class iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = std::string;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string*;
    using reference = const std::string&;

    iterator() = default;
    explicit iterator(Generator* generator) : generator_(generator), name_(generator->next()) {}
    reference operator*() const { return name_; }
    pointer operator->() const { return &name_; }
    iterator& operator++() {
      name_ = generator_->next();
      return *this;
    }
    void operator++(int) { ++*this; }
    // The names never end: only the same iterator equals itself.
    bool operator==(const iterator& other) const { return generator_ == other.generator_; }
    bool operator!=(const iterator& other) const { return !(*this == other); }

   private:
    Generator* generator_ = nullptr;
    std::string name_;
  };
  iterator begin() { return iterator(this); }
  iterator end() { return iterator(); }

  vael_generator* handle() const noexcept { return generator_.get(); }

 private:
  friend class Chapter;
  explicit Generator(vael_generator* generator) : generator_(generator) {}
  std::unique_ptr<vael_generator, detail::GeneratorFree> generator_;
};

inline Generator Chapter::generator(std::uint32_t seed, const Options& choices) const {
  const vael_options options = toC(choices);
  vael_generator* generator = nullptr;
  detail::Check(vael_generator_new(chapter_.get(), &options, seed, &generator));
  return Generator(generator);
}

inline std::vector<std::string> Chapter::names(std::size_t count, std::uint32_t seed,
                                               const Options& choices) const {
  return generator(seed, choices).names(count);
}

// A chapter report: every setting tried, and the judgement on them.
class Report {
 public:
  std::vector<Figures> rows() const {
    std::vector<Figures> rows;
    for (int row = 0; row < vael_report_rows(report_.get()); ++row) {
      vael_options setting{};
      setting.size = sizeof setting;
      vael_figures figures{};
      figures.size = sizeof figures;
      detail::Check(vael_report_row(report_.get(), row, &setting, &figures));
      rows.push_back(detail::FromC(setting, figures));
    }
    return rows;
  }
  int best() const { return vael_report_best(report_.get()); }  // -1: none qualifies
  int closest() const { return vael_report_closest(report_.get()); }
  int recommendedRow() const { return vael_report_recommended_row(report_.get()); }
  std::string reason() const { return vael_report_reason(report_.get()); }

 private:
  friend class Chapter;
  explicit Report(vael_report* report) : report_(report) {}
  std::unique_ptr<vael_report, detail::ReportFree> report_;
};

inline Report Chapter::report(int namesPerSetting, std::uint32_t seed) const {
  vael_report* report = nullptr;
  detail::Check(vael_chapter_report(chapter_.get(), namesPerSetting, seed, &report));
  return Report(report);
}

}  // namespace wrapper
}  // namespace vael

#endif  // VAEL_VAEL_HPP
