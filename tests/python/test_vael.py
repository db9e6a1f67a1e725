"""The Python module vael: vaelgen's names, its failures as vael.Error, and
generators on threads."""

import os
import pathlib
import shutil
import subprocess
import tempfile
import threading
import unittest

import vael

SOURCE = os.environ["VAEL_SOURCE_DIR"]
VAELGEN = os.environ["VAELGEN"]


def vaelgen(*arguments):
    """The names vaelgen prints for these arguments."""
    run = subprocess.run([VAELGEN, *arguments], capture_output=True, check=True)
    return run.stdout.decode("utf-8").splitlines()


class VaelTest(unittest.TestCase):
    def setUp(self):
        # vaelgen caches a compiled chapter beside the one it loads.
        self.folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.folder)

    def copy(self, path):
        return shutil.copy(os.path.join(SOURCE, path), self.folder)

    def test_the_names_vaelgen_prints(self):
        for path in ("library/elder/dwarves.vel", "library/faecourt.qch", "tests/data/villages40.txt"):
            chapter = vael.Chapter(self.copy(path))
            file = os.path.join(self.folder, os.path.basename(path))
            self.assertEqual(chapter.names(150, seed=12), vaelgen("-n", "150", "--seed", "12", file))
            initial = chapter.initials[-1].lower()
            self.assertEqual(
                chapter.names(150, seed=13, fit=3, statistical=False, suffixes=True, initial=initial),
                vaelgen("-n", "150", "--seed", "13", "--fit", "3", "--no-statistical", "--suffixes",
                        "-i", initial, file))
            generator = chapter.generator(seed=12)
            self.assertEqual([next(generator) for _ in range(150)], chapter.names(150, seed=12))
            self.assertEqual(generator.names(10), chapter.names(160, seed=12)[150:])

    def test_filters_pass_the_names_vaelgen_prints(self):
        file = self.copy("library/northlands/norse.vel")
        chapter = vael.Chapter(file)
        words = os.path.join(self.folder, "words.txt")
        with open(words, "w", encoding="utf-8") as list_file:
            list_file.write("sig*\n")
        self.assertEqual(
            chapter.names(60, seed=5, unique=True, min_length=5, starts_with="s",
                          clean_words=["sig*"]),
            vaelgen("-n", "60", "--seed", "5", "--unique", "--min-length", "5", "--starts-with", "s",
                    "--clean-list", words, file))
        generator = chapter.generator(seed=5, max_length=6, novel=True)
        self.assertEqual([next(generator) for _ in range(40)],
                         vaelgen("-n", "40", "--seed", "5", "--max-length", "6", "--novel", file))
        with self.assertRaisesRegex(TypeError, "max_lenght"):
            chapter.names(3, max_lenght=4)
        with self.assertRaisesRegex(TypeError, "^min_length takes an int, not float$"):
            chapter.names(3, min_length=2.5)
        with self.assertRaisesRegex(ValueError, "^max_length is 1099511627776, out of range$"):
            chapter.names(3, max_length=2**40)
        with self.assertRaisesRegex(TypeError, "^clean_words takes a list of str, not int$"):
            chapter.names(3, clean_words=7)
        with self.assertRaises(vael.Error):
            chapter.names(3, min_length=9, max_length=2)
        tiny = vael.Chapter.from_names(["Ana", "Bo"])
        with self.assertRaisesRegex(vael.Error, "passed the filters"):
            tiny.names(100000, seed=1, unique=True)

    def test_chapter_texts_and_options(self):
        chapter = vael.Chapter(self.copy("library/isles/welsh.vel"))
        self.assertIsInstance(chapter.title, str)
        self.assertTrue(chapter.title)
        options = chapter.options
        self.assertEqual(set(options), {"fit", "statistical", "structural", "prefixes", "suffixes",
                                        "initial", "val"})
        self.assertEqual(options["initial"], "")
        listed = vael.Chapter.from_names(["Åland", "Ängby", "Borgå", "Ekenäs", "Hangö", "Lovisa"],
                                         title="Orter")
        self.assertEqual(listed.title, "Orter")
        self.assertEqual(listed.initials, "ÅÄBEHL")
        for name in listed.names(30, seed=1, initial="å"):
            self.assertTrue(name.startswith("Å"), name)
        self.assertEqual(vael.Chapter.from_names(["Ashby", "Brockton", "Caldby"]).title, "names")
        with open(os.path.join(SOURCE, "library/isles/welsh.vel"), "rb") as file:
            from_bytes = vael.Chapter.from_bytes(file.read(), "welsh.vel")
        self.assertEqual(from_bytes.names(20, seed=4), chapter.names(20, seed=4))

    def test_any_path_the_file_system_takes(self):
        # A file name that is not UTF-8, as os.listdir gives it (a str with
        # the byte escaped) and as bytes.
        path = os.path.join(os.fsencode(self.folder), b"caf\xe9.vel")
        shutil.copy(os.path.join(SOURCE, "library/elder/dwarves.vel"), path)
        expected = vael.Chapter(os.path.join(SOURCE, "library/elder/dwarves.vel")).names(5, seed=3)
        for given in (os.fsdecode(path), path, pathlib.PurePath(os.fsdecode(path))):
            self.assertEqual(vael.Chapter(given).names(5, seed=3), expected, given)

    def test_failures_raise_vael_error_with_the_librarys_text(self):
        with self.assertRaisesRegex(vael.Error, r"^vael_chapter_open: .*none\.vel: no such file$"):
            vael.Chapter(os.path.join(self.folder, "none.vel"))
        chapter = vael.Chapter(self.copy("library/elder/dwarves.vel"))
        with self.assertRaisesRegex(vael.Error, "options.fit is 5; it takes 0 to 3"):
            chapter.names(3, fit=5)
        with self.assertRaisesRegex(vael.Error, "no sample name of this chapter begins with Ł"):
            chapter.generator(initial="Ł")
        with self.assertRaisesRegex(vael.Error, "names\\[1\\] holds a line break"):
            vael.Chapter.from_names(["Ashby", "Brock\nton"])
        with self.assertRaises(ValueError):
            chapter.names(3, seed=-1)
        with self.assertRaises(TypeError):
            chapter.names(3, fit="high")
        self.assertTrue(issubclass(vael.Error, Exception))
        self.assertEqual(chapter.names(0), [])

    def test_a_generator_on_two_threads_at_once(self):
        chapter = vael.Chapter(self.copy("library/wild/orcs.vel"))
        expected = chapter.names(4000, seed=99)
        generator = chapter.generator(seed=99)
        taken = [[], []]
        start = threading.Barrier(2)

        def take(mine):
            start.wait()
            for _ in range(2000):
                mine.append(next(generator))

        threads = [threading.Thread(target=take, args=(mine,)) for mine in taken]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        # Every name went to one thread, each thread's in the order made.
        self.assertEqual(sorted(taken[0] + taken[1]), sorted(expected))
        for mine in taken:
            rest = iter(expected)
            self.assertTrue(all(name in rest for name in mine), "names out of order")

    def test_chapters_on_threads_make_their_own_names(self):
        chapter = vael.Chapter(self.copy("library/wild/reef.vel"))
        expected = {seed: chapter.names(20000, seed=seed) for seed in (1, 2, 3)}
        made = {}

        def make(seed):
            made[seed] = chapter.names(20000, seed=seed)

        threads = [threading.Thread(target=make, args=(seed,)) for seed in expected]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(made, expected)

    def test_log_and_figures(self):
        chapter = vael.Chapter(self.copy("library/northlands/finnish.vel"))
        generator = chapter.generator(seed=3)
        name, log = generator.next_logged()
        self.assertEqual(name, chapter.names(1, seed=3)[0])
        self.assertTrue(log.startswith("Vael log file"), log)
        self.assertIn("-> " + name, log)
        figures = chapter.measure(n=300, seed=2, fit=1)
        self.assertTrue(figures.compared)
        self.assertEqual(figures.names, 300)
        self.assertEqual(figures.setting["fit"], 1)
        self.assertLessEqual(figures.distinct_new, figures.distinct)
        report = chapter.report(n=200)
        self.assertGreaterEqual(len(report.rows), 24)
        if report.best is None:
            self.assertTrue(report.reason)
        else:
            self.assertEqual(report.rows[report.best].broken, 0)

    def test_the_stub_names_what_the_module_has(self):
        stub = os.path.join(SOURCE, "python/vael/__init__.pyi")
        with open(stub, encoding="utf-8") as file:
            text = file.read()
        for name in vael.__all__:
            self.assertRegex(text, rf"(class|def) {name}\b|^{name}:", name) if not name.startswith(
                "BOUND") else self.assertIn(f"{name}: int", text)
        for method in ("names", "generator", "measure", "report", "from_names", "from_bytes"):
            self.assertIn(f"def {method}(", text)
            self.assertTrue(getattr(vael.Chapter, method).__doc__)


if __name__ == "__main__":
    unittest.main()
