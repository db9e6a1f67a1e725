// The Python module vael (its compiled part, vael._vael), on the C interface
// through the C++ wrapper. Names are made with the GIL released, so threads
// can make names side by side; a generator shared by threads takes them one
// at a time.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "vael/vael.hpp"

namespace py = pybind11;

namespace {

// A seed as Python gives it: None for one from the clock.
std::uint32_t SeedOf(const std::optional<long long>& seed) {
  if (!seed) return vael_clock_seed();
  if (*seed < 0 || *seed > 0xFFFFFFFFLL) {
    throw py::value_error("seed must be 0 to 4294967295, not " + std::to_string(*seed));
  }
  return static_cast<std::uint32_t>(*seed);
}

vael::Options OptionsOf(std::optional<int> fit, std::optional<bool> statistical,
                        std::optional<bool> structural, std::optional<bool> prefixes,
                        std::optional<bool> suffixes, std::optional<std::string> initial,
                        std::optional<int> val) {
  vael::Options options;
  options.fit = fit;
  options.statistical = statistical;
  options.structural = structural;
  options.prefixes = prefixes;
  options.suffixes = suffixes;
  options.initial = initial.value_or("");
  options.val = val;
  return options;
}

// A keyword argument's value as T; a TypeError that names the argument when
// it is not one (pybind11's own says only that a cast failed).
template <typename T>
T Given(const std::string& name, const py::handle& value, const char* wanted) {
  try {
    return py::cast<T>(value);
  } catch (const py::cast_error&) {
    if constexpr (std::is_same_v<T, int>) {
      if (py::isinstance<py::int_>(value)) {
        throw py::value_error(name + " is " + py::cast<std::string>(py::str(value)) +
                              ", out of range");
      }
    }
    throw py::type_error(name + " takes " + wanted + ", not " +
                         py::cast<std::string>(py::str(value.get_type().attr("__name__"))));
  }
}

// The filters given as keyword arguments (the names of vael.Chapter.names'
// docstring); None when none is given. An unknown keyword is a TypeError, as
// for any Python function.
std::optional<vael::Filters> FiltersOf(const py::kwargs& given) {
  if (given.empty()) return std::nullopt;
  vael::Filters filters;
  for (const auto& [key, value] : given) {
    const std::string name = py::cast<std::string>(key);
    if (value.is_none()) continue;
    if (name == "unique") {
      filters.unique = Given<bool>(name, value, "a bool");
    } else if (name == "min_length") {
      filters.minLength = Given<int>(name, value, "an int");
    } else if (name == "max_length") {
      filters.maxLength = Given<int>(name, value, "an int");
    } else if (name == "no_samples") {
      filters.noSamples = Given<bool>(name, value, "a bool");
    } else if (name == "novel") {
      filters.novel = Given<bool>(name, value, "a bool");
    } else if (name == "starts_with") {
      filters.startsWith = Given<std::string>(name, value, "a str");
    } else if (name == "ends_with") {
      filters.endsWith = Given<std::string>(name, value, "a str");
    } else if (name == "contains") {
      filters.contains = Given<std::string>(name, value, "a str");
    } else if (name == "excludes") {
      filters.excludes = Given<std::string>(name, value, "a str");
    } else if (name == "clean") {
      filters.clean = Given<bool>(name, value, "a bool");
    } else if (name == "clean_words") {
      if (py::isinstance<py::str>(value)) throw py::type_error("clean_words takes a list of words, not one str");
      filters.cleanWords = Given<std::vector<std::string>>(name, value, "a list of str");
    } else {
      throw py::type_error("unexpected keyword argument '" + name + "'");
    }
  }
  return filters;
}

// A generator of the chapter with these options, seed and filters.
vael::Generator GeneratorOf(const vael::Chapter& chapter, std::uint32_t seed, const vael::Options& options,
                            const py::kwargs& filters) {
  vael::Generator generator = chapter.generator(seed, options);
  if (const std::optional<vael::Filters> chosen = FiltersOf(filters)) generator.setFilters(*chosen);
  return generator;
}

py::dict SettingDict(const vael_options& setting) {
  py::dict dict;
  dict["fit"] = setting.fit;
  dict["statistical"] = setting.statistical != 0;
  dict["structural"] = setting.structural != 0;
  dict["prefixes"] = setting.prefixes != 0;
  dict["suffixes"] = setting.suffixes != 0;
  dict["initial"] = std::string(setting.initial);
  dict["val"] = setting.val;
  return dict;
}

// `count` names from a generator into a list; the names are made with the
// GIL released, in batches of the C interface.
py::list NamesOf(vael_generator* generator, std::size_t count) {
  std::string buffer;
  std::vector<std::size_t> ends;  // where each name's NUL is
  {
    py::gil_scoped_release released;
    buffer.resize(count * 12 + 64);
    std::size_t used = 0;
    ends.reserve(count);
    while (ends.size() < count) {
      std::size_t made = 0, length = 0;
      const int status = vael_generator_names(generator, count - ends.size(), &buffer[used],
                                              buffer.size() - used, &made, &length);
      if (status == VAEL_E_SPACE || (status == VAEL_OK && made == 0)) {
        buffer.resize(buffer.size() * 2 + length);
        continue;
      }
      // Thrown with the GIL released; it is taken again on the way out.
      if (status != VAEL_OK) throw vael::Error(status, vael_last_error());
      for (const char *at = buffer.data() + used, *end = at + length; at < end;) {
        const std::size_t size = std::strlen(at);
        ends.push_back(static_cast<std::size_t>(at - buffer.data()) + size);
        at += size + 1;
      }
      used += length;
      if (ends.size() < count) buffer.resize(buffer.size() * 2);
    }
  }
  PyObject* list = PyList_New(static_cast<Py_ssize_t>(count));
  if (list == nullptr) throw py::error_already_set();
  py::list names = py::reinterpret_steal<py::list>(list);
  std::size_t start = 0;
  for (std::size_t i = 0; i < count; ++i) {
    PyObject* name = PyUnicode_DecodeUTF8(buffer.data() + start,
                                          static_cast<Py_ssize_t>(ends[i] - start), "strict");
    if (name == nullptr) throw py::error_already_set();
    PyList_SET_ITEM(list, static_cast<Py_ssize_t>(i), name);
    start = ends[i] + 1;
  }
  return names;
}

// A generator for Python: endless, and safe to share between threads, which
// take their names one at a time.
class PyGenerator {
 public:
  explicit PyGenerator(vael::Generator generator) : generator_(std::move(generator)) {}

  std::string Next() {
    py::gil_scoped_release released;
    std::lock_guard<std::mutex> lock(mutex_);
    return generator_.next();
  }

  std::pair<std::string, std::string> NextLogged() {
    py::gil_scoped_release released;
    std::lock_guard<std::mutex> lock(mutex_);
    return generator_.nextLogged();
  }

  py::list Names(std::size_t count) {
    // The lock is taken with the GIL released, so that a thread holding it
    // can always finish.
    std::unique_lock<std::mutex> lock(mutex_, std::defer_lock);
    {
      py::gil_scoped_release released;
      lock.lock();
    }
    return NamesOf(generator_.handle(), count);
  }

  void Restart(std::optional<long long> seed) {
    const std::uint32_t value = SeedOf(seed);
    py::gil_scoped_release released;
    std::lock_guard<std::mutex> lock(mutex_);
    generator_.restart(value);
  }

 private:
  std::mutex mutex_;
  vael::Generator generator_;
};

struct PyReport {
  std::vector<vael::Figures> rows;
  int best, closest, recommendedRow;
  std::string reason;
};

}  // namespace

PYBIND11_MODULE(_vael, m) {
  m.doc() = "Vael's name engine: new names in the style of a chapter's sample names.";
  static py::exception<vael::Error> error(m, "Error");
  error.doc() = "A failure of the engine: a chapter that does not load, an option it cannot take.";
  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const vael::Error& failure) {
      error(failure.what());
    }
  });

  m.def("version", &vael::version, "The library's version, e.g. \"3.3.0\".");

  py::class_<vael::Figures>(m, "Figures",
                            "How the names of one setting hold against the chapter's samples.")
      .def_property_readonly(
          "setting", [](const vael::Figures& f) { return SettingDict(f.setting); },
          "The options measured, as a dict.")
      .def_readonly(
          "compared", &vael::Figures::compared,
          "Whether the names were held against the samples (a compiled chapter keeps none).")
      .def_readonly("names", &vael::Figures::names, "Names made.")
      .def_readonly("distinct", &vael::Figures::distinct, "Distinct names.")
      .def_readonly("distinct_new", &vael::Figures::distinctNew,
                    "Distinct names that are neither a sample nor a near-copy.")
      .def_readonly("sample_copies", &vael::Figures::sampleCopies, "Names equal to a sample.")
      .def_readonly("near_copies", &vael::Figures::nearCopies, "Near-copies of a sample.")
      .def_readonly("unseen_pairs", &vael::Figures::unseenPairs,
                    "Names holding a letter pair no sample holds.")
      .def_readonly("mean_length", &vael::Figures::meanLength, "Mean length in letters.")
      .def_readonly("expected_mean_length", &vael::Figures::expectedMeanLength,
                    "The mean length the samples lead one to expect.")
      .def_readonly("length_gap", &vael::Figures::lengthGap, "Lengths off the samples', in points.")
      .def_readonly("initial_gap", &vael::Figures::initialGap,
                    "Initials off the samples', in points.")
      .def_readonly("accent_gap", &vael::Figures::accentGap, "Accents off the samples', in points.")
      .def_readonly("broken", &vael::Figures::broken, "The bounds broken, as BOUND_ bits.")
      .def("__repr__", [](const vael::Figures& f) {
        return "<vael.Figures names=" + std::to_string(f.names) +
               " distinct_new=" + std::to_string(f.distinctNew) + ">";
      });

  py::class_<PyReport>(m, "Report", "A chapter report: every setting tried, and the judgement.")
      .def_readonly("rows", &PyReport::rows, "The figures of every setting tried.")
      .def_property_readonly(
          "best", [](const PyReport& r) { return r.best >= 0 ? py::cast(r.best) : py::none(); },
          "The row of the best setting; None when none qualifies.")
      .def_property_readonly(
          "closest",
          [](const PyReport& r) { return r.closest >= 0 ? py::cast(r.closest) : py::none(); },
          "When none qualifies, the row nearest to qualifying, else None.")
      .def_readonly("recommended_row", &PyReport::recommendedRow,
                    "The row of the chapter's recommended options.")
      .def_readonly("reason", &PyReport::reason, "When none qualifies: why.");

  py::class_<PyGenerator>(m, "Generator",
                          "An endless iterator of names. Threads may share one; each name goes "
                          "to one of them.")
      .def("__iter__", [](PyGenerator& g) -> PyGenerator& { return g; })
      .def("__next__", &PyGenerator::Next, "The next name.")
      .def("next_logged", &PyGenerator::NextLogged,
           "The next name and its generation log (CR LF line ends).")
      .def("names", &PyGenerator::Names, py::arg("n"), "The next n names as a list.")
      .def("restart", &PyGenerator::Restart, py::arg("seed") = py::none(),
           "Starts over with this seed (None: from the clock): the same names again.");

  py::class_<vael::Chapter>(m, "Chapter",
                            "A loaded chapter: read only, shared freely between threads.")
      .def(py::init([](const py::object& path) {
             // The path's bytes as the file system has them: a str path may
             // hold a file name that is not UTF-8 (as os.listdir gives it),
             // and a bytes path is no text at all.
             const py::bytes bytes = py::module_::import("os").attr("fsencode")(path);
             return vael::Chapter(std::string(bytes));
           }),
           py::arg("path"),
           "Loads a text chapter (.vel), a compiled chapter (.qch) or a plain list of names "
           "(.txt). Writes nothing.")
      .def_static(
          "from_names",
          [](const std::vector<std::string>& names, std::optional<std::string> title) {
            return vael::Chapter::FromNames(names, title.value_or(""));
          },
          py::arg("names"), py::arg("title") = py::none(),
          "A chapter from sample names, as a plain list of them loads.")
      .def_static(
          "from_bytes",
          [](const py::bytes& data, const std::string& file_name) {
            return vael::Chapter::FromMemory(std::string(data), file_name);
          },
          py::arg("data"), py::arg("file_name"),
          "A chapter from a chapter file's bytes; file_name tells the kind (.txt: a list).")
      .def_property_readonly("title", &vael::Chapter::title, "The chapter's title.")
      .def_property_readonly("line1",
                             [](const vael::Chapter& c) { return c.text(VAEL_TEXT_LINE1); })
      .def_property_readonly("line2",
                             [](const vael::Chapter& c) { return c.text(VAEL_TEXT_LINE2); })
      .def_property_readonly("author",
                             [](const vael::Chapter& c) { return c.text(VAEL_TEXT_AUTHOR); })
      .def_property_readonly("date", [](const vael::Chapter& c) { return c.text(VAEL_TEXT_DATE); })
      .def_property_readonly("topic",
                             [](const vael::Chapter& c) { return c.text(VAEL_TEXT_TOPIC); })
      .def_property_readonly(
          "initials", [](const vael::Chapter& c) { return c.text(VAEL_TEXT_INITIALS); },
          "Every letter a sample name begins with: the values initial may take.")
      .def_property_readonly("left_out", &vael::Chapter::leftOut,
                             "Names of a plain list that were left out.")
      .def_property_readonly(
          "options", [](const vael::Chapter& c) { return SettingDict(c.recommended()); },
          "The chapter's recommended options, which options left as None take.")
      .def(
          "names",
          [](const vael::Chapter& c, std::size_t n, std::optional<long long> seed,
             std::optional<int> fit, std::optional<bool> statistical,
             std::optional<bool> structural, std::optional<bool> prefixes,
             std::optional<bool> suffixes, std::optional<std::string> initial,
             std::optional<int> val, const py::kwargs& filters) {
            vael::Generator generator = GeneratorOf(
                c, SeedOf(seed), OptionsOf(fit, statistical, structural, prefixes, suffixes, initial, val),
                filters);
            return NamesOf(generator.handle(), n);
          },
          py::arg("n"), py::arg("seed") = py::none(), py::arg("fit") = py::none(),
          py::arg("statistical") = py::none(), py::arg("structural") = py::none(),
          py::arg("prefixes") = py::none(), py::arg("suffixes") = py::none(),
          py::arg("initial") = py::none(), py::arg("val") = py::none(),
          "n names as a list: those vaelgen --seed SEED prints with the same options. Options "
          "left as None take the chapter's recommended ones; seed None takes one from the clock.\n\n"
          "Filters, as keyword arguments, pick among the names made as vaelgen's options of the "
          "same names do: unique, min_length, max_length, no_samples, novel, starts_with, "
          "ends_with, contains, excludes, clean, clean_words (a list of more words for clean). "
          "vael.Error when the chapter cannot give names that pass them.")
      .def(
          "generator",
          [](const vael::Chapter& c, std::optional<long long> seed, std::optional<int> fit,
             std::optional<bool> statistical, std::optional<bool> structural,
             std::optional<bool> prefixes, std::optional<bool> suffixes,
             std::optional<std::string> initial, std::optional<int> val, const py::kwargs& filters) {
            return std::make_unique<PyGenerator>(GeneratorOf(
                c, SeedOf(seed), OptionsOf(fit, statistical, structural, prefixes, suffixes, initial, val),
                filters));
          },
          py::arg("seed") = py::none(), py::arg("fit") = py::none(),
          py::arg("statistical") = py::none(), py::arg("structural") = py::none(),
          py::arg("prefixes") = py::none(), py::arg("suffixes") = py::none(),
          py::arg("initial") = py::none(), py::arg("val") = py::none(),
          "An endless iterator of names with these options, seed and filters (as for names).")
      .def(
          "measure",
          [](const vael::Chapter& c, int n, long long seed, std::optional<int> fit,
             std::optional<bool> statistical, std::optional<bool> structural,
             std::optional<bool> prefixes, std::optional<bool> suffixes,
             std::optional<std::string> initial, std::optional<int> val) {
            const vael::Options options =
                OptionsOf(fit, statistical, structural, prefixes, suffixes, initial, val);
            const std::uint32_t value = SeedOf(seed);
            py::gil_scoped_release released;
            return c.measure(options, n, value);
          },
          py::arg("n") = 10000, py::arg("seed") = 1, py::arg("fit") = py::none(),
          py::arg("statistical") = py::none(), py::arg("structural") = py::none(),
          py::arg("prefixes") = py::none(), py::arg("suffixes") = py::none(),
          py::arg("initial") = py::none(), py::arg("val") = py::none(),
          "The figures of n names made with these options and seed, held against the samples.")
      .def(
          "report",
          [](const vael::Chapter& c, int n, long long seed) {
            const std::uint32_t value = SeedOf(seed);
            py::gil_scoped_release released;
            const vael::Report report = c.report(n, value);
            return PyReport{report.rows(), report.best(), report.closest(), report.recommendedRow(),
                            report.reason()};
          },
          py::arg("n") = 10000, py::arg("seed") = 1,
          "A chapter report: every setting a report tries, measured with n names each, and the "
          "judgement on them.")
      .def("__repr__",
           [](const vael::Chapter& c) { return "<vael.Chapter \"" + c.title() + "\">"; });

  for (const auto& [name, bit] : {std::pair{"BOUND_COPIES", VAEL_BOUND_COPIES},
                                  {"BOUND_UNSEEN_PAIRS", VAEL_BOUND_UNSEEN_PAIRS},
                                  {"BOUND_MEAN_LENGTH", VAEL_BOUND_MEAN_LENGTH},
                                  {"BOUND_LENGTHS", VAEL_BOUND_LENGTHS},
                                  {"BOUND_INITIALS", VAEL_BOUND_INITIALS},
                                  {"BOUND_ACCENTS", VAEL_BOUND_ACCENTS}}) {
    m.attr(name) = bit;
  }
}
