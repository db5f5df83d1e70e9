"""The portability check run on a copy of the plug-in with one line planted in a real source file:
each planted use of what macOS lacks must be reported at its line, and each look-alike that macOS
has (or that is no code at all) must not be.

Usage: PortabilityCheckTest.py CHECK PLUGIN_FOLDER
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

CHECK = None
PLUGIN = None
# The file the lines are planted in, and the line they go before: inside its namespace.
HOST_FILE = os.path.join("Source", "Kestrova", "Private", "Platform", "Transport.cpp")


def run_check(Folder):
	Done = subprocess.run([sys.executable, CHECK, Folder], capture_output=True, text=True, timeout=60)
	return Done.returncode, [Line for Line in Done.stdout.splitlines() if Line]


class PortabilityCheckTest(unittest.TestCase):
	@classmethod
	def setUpClass(cls):
		cls.Work = tempfile.mkdtemp(prefix="kva-portability-")
		cls.Copy = os.path.join(cls.Work, "Kestrova")
		shutil.copytree(PLUGIN, cls.Copy)
		with open(os.path.join(cls.Copy, HOST_FILE), encoding="utf-8") as File:
			cls.Original = File.read()
		cls.PlantLine = cls.Original.split("\n").index("namespace KVAPlatform") + 1
		cls.BaselineCode, cls.Baseline = run_check(cls.Copy)

	@classmethod
	def tearDownClass(cls):
		shutil.rmtree(cls.Work)

	def plant(self, Text):
		Lines = self.Original.split("\n")
		Lines[self.PlantLine - 1:self.PlantLine - 1] = Text.split("\n")
		with open(os.path.join(self.Copy, HOST_FILE), "w", encoding="utf-8") as File:
			File.write("\n".join(Lines))
		self.addCleanup(self.restore)
		return run_check(self.Copy)

	def restore(self):
		with open(os.path.join(self.Copy, HOST_FILE), "w", encoding="utf-8") as File:
			File.write(self.Original)

	def test_planted_uses_are_reported_at_their_lines(self):
		Cases = [
			("posix_fadvise(Fd, 0, 0, POSIX_FADV_SEQUENTIAL);", [(0, "posix_fadvise")]),
			("#include <sys/prctl.h>", [(0, "<sys/prctl.h>")]),
			("#include <sys/vfs.h>", [(0, "<sys/vfs.h>")]),
			("#include <features.h>", [(0, "<features.h>")]),
			("#include <linux/limits.h>", [(0, "<linux/limits.h>")]),
			("#include <sys/epoll.h>", [(0, "<sys/epoll.h>")]),
			("#include <malloc.h>", [(0, "<malloc.h>")]),
			("const long Id = syscall(SYS_gettid);", [(0, "SYS_gettid"), (0, "syscall")]),
			("#if defined(__linux__)\n#endif", [(0, "__linux__")]),
			("const int Fd = open(Path, O_RDONLY | O_PATH);", [(0, "O_PATH")]),
			("const int Fd = open(Path, O_WRONLY | O_LARGEFILE);", [(0, "O_LARGEFILE")]),
			("lseek64(Fd, 0, SEEK_END);", [(0, "lseek64")]),
			("struct stat64 Info;", [(0, "stat64")]),
			("const int Wake = eventfd(0, 0);", [(0, "eventfd")]),
			("const int Timer = timerfd_create(CLOCK_MONOTONIC, 0);", [(0, "timerfd_create")]),
			("const int Signals = signalfd(-1, &Mask, 0);", [(0, "signalfd")]),
			("getrandom(Buffer, sizeof(Buffer), 0);", [(0, "getrandom")]),
			("prctl(PR_SET_NAME, \"kva\");", [(0, "PR_SET_NAME"), (0, "prctl")]),
			("pthread_setname_np(pthread_self(), \"kva\");", [(0, "pthread_setname_np")]),
			("pthread_setname_np(\n\tThread,\n\t\"kva\");", [(0, "pthread_setname_np")]),
			("const int Limit = 30'000; syscall(1);", [(0, "syscall")]),
			("/* a comment */ fallocate(Fd, 0, 0, Size);", [(0, "fallocate")]),
		]
		for Text, Expected in Cases:
			with self.subTest(Text):
				Code, Lines = self.plant(Text)
				Added = sorted(set(Lines) - set(self.Baseline))
				Wanted = sorted("%s:%d: %s" % (HOST_FILE, self.PlantLine + Offset, Word) for Offset, Word in Expected)
				self.assertEqual(Code, 1)
				self.assertEqual(len(Added), len(Wanted), Added)
				for Line, Prefix in zip(Added, Wanted):
					self.assertTrue(Line.startswith(Prefix), "%r does not start with %r" % (Line, Prefix))

	def test_what_macos_has_and_what_is_not_code_pass(self):
		Cases = [
			"pthread_setname_np(\"kva\");",
			"lseek(Fd, 0, SEEK_END);",
			"#include <sys/stat.h>",
			"#include <unistd.h>",
			"// posix_fadvise and <sys/prctl.h> are not on macOS",
			"/* syscall(SYS_gettid)\n   O_PATH */",
			"const char* Flag = \"O_PATH __linux__\";",
			"const char Quote = '\"'; const char* Name = \"eventfd\";",
			"Items.splice(Items.begin(), Other);",
			"Pipe->pipe2();",
			"const int MySYS_Count = 2, Limit = 30'000;",
		]
		for Text in Cases:
			with self.subTest(Text):
				Code, Lines = self.plant(Text)
				self.assertEqual(Code, self.BaselineCode)
				# The planted lines move the baseline's own findings in this file down.
				Moved = [Line for Line in Lines if Line not in self.Baseline and not Line.startswith(HOST_FILE + ":")]
				self.assertEqual(Moved, [])
				self.assertEqual(len(Lines), len(self.Baseline))

	def test_a_clean_tree_passes(self):
		Clean = os.path.join(self.Work, "Clean")
		os.makedirs(Clean)
		shutil.copy(os.path.join(self.Copy, HOST_FILE), Clean)
		self.assertEqual(run_check(Clean), (0, []))


if __name__ == "__main__":
	CHECK, PLUGIN = sys.argv[1], sys.argv[2]
	unittest.main(argv=sys.argv[:1], verbosity=2)
