# The two commands of the README, and the ones around them. Each installs what it needs from
# Debian's packages first, so that a fresh machine needs nothing else.

SHELL := /bin/bash
JOBS ?= $(shell nproc)
# The builds and checks run make again (CMake's makefiles among them): no "Entering directory".
MAKEFLAGS += --no-print-directory

CORE_PACKAGES := cmake make g++ libgtest-dev libgmock-dev googletest locales python3
# The tests: ezdxf and GDAL as the converter's peers (numpy to measure its curves), librsvg and
# ImageMagick to look at its pictures, windres to compare the dialog tables with (it
# preprocesses the script with the cross gcc and its Windows headers, winresrc.h among them).
TEST_PACKAGES := python3-ezdxf python3-numpy gdal-bin librsvg2-bin imagemagick \
	binutils-mingw-w64-i686 gcc-mingw-w64-i686
# The desktop program: Qt 6 Widgets (with its platforms), Qt's Italian texts, the dialog font.
GUI_PACKAGES := qt6-base-dev qt6-translations-l10n fonts-dejavu-core fonts-dejavu-extra

# The Windows build: mingw-w64 for both targets; wine64 and an X server for its tests.
WINDOWS_PACKAGES := g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64 cmake make python3
WINDOWS_TEST_PACKAGES := wine64 fonts-wine xvfb xdotool imagemagick unzip

FUZZ_PACKAGES := clang-14 libclang-rt-14-dev

# CPack works out the package's dependencies with dpkg-shlibdeps, after `file` has found the
# binaries; the checks read the menu entry and the manual pages, and lintian judges the package.
PACKAGE_PACKAGES := dpkg-dev file
PACKAGE_TEST_PACKAGES := desktop-file-utils man-db lintian

# Where `make install` puts the programs; DESTDIR, when given, is prepended to it.
PREFIX ?= /usr/local

# How long `make fuzz` feeds the load arbitrary bytes; CI gives it a minute.
FUZZ_SECONDS ?= 600

.PHONY: run demo test deps locale build build-asan clean windows deps-windows test-windows fuzz fuzz-ci bench \
	install uninstall package test-package

# Installs the Debian packages that are missing, and only those.
define apt_install
	@missing=""; for p in $(1); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installo i pacchetti mancanti:$$missing"; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  apt-get update -q && apt-get install -y -q $(2) $$missing; \
	fi
endef

deps:
	$(call apt_install,$(CORE_PACKAGES) $(GUI_PACKAGES),)
	$(call apt_install,$(TEST_PACKAGES),--no-install-recommends)

# The number tests run under an Italian LC_NUMERIC, whose decimal separator is a comma.
locale: deps
	@locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$$' || localedef -i it_IT -f UTF-8 it_IT.UTF-8

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

# The converter on the sample drawing: its counts and the three forms under build/esempio/.
DEMO = mkdir -p build/esempio && ./build/trevano-cli samples/scafo.dxf \
	--punti build/esempio/scafo-punti.csv --sezioni-dat build/esempio/scafo-sezioni.dat \
	--sezioni-csv build/esempio/scafo-sezioni.csv && \
	echo "Scritti: build/esempio/scafo-punti.csv, build/esempio/scafo-sezioni.dat, build/esempio/scafo-sezioni.csv"

# The dialog program; where there is no display it says so, and the converter shows the
# sample drawing instead, from the same build.
run: build
	@./build/Trevano || { echo "Al suo posto, il convertitore sul disegno di esempio:"; $(DEMO); }

demo: build
	@$(DEMO)

# ctest on one build, then why each test it skipped did, which ctest does not say.
CTEST = ctest --preset $(1) -j $(JOBS) || status=$$?; \
	tests/skipped.sh $(2)/Testing/Temporary/LastTest.log; exit $${status:-0}

test: locale build build-asan
	$(call CTEST,release,build)
	$(call CTEST,asan,build-asan)
	$(MAKE) test-package
	$(MAKE) test-windows

# What make install put, for make uninstall: CMake's manifest of the files, and beside it the
# folders that were not there before, both without DESTDIR. A folder that stood before the
# install (/usr/local/bin, say) stays, empty or not.
MANIFEST := build/install_manifest.txt
MADE_FOLDERS := build/install_folders.txt

# The programs, the menu entry, the icons, the manual pages and the documents, stripped. Then
# the folders of the files installed, up to the prefix, that were not there before.
install: build
	@find "$(DESTDIR)$(PREFIX)" -type d 2>/dev/null | LC_ALL=C sort >build/folders_before.txt
	DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)" --strip
	@{ cat $(MADE_FOLDERS) 2>/dev/null; while IFS= read -r file || [ -n "$$file" ]; do \
	  folder=$${file%/*}; \
	  while case "$$folder/" in "$(PREFIX)"/*) true;; *) false;; esac && \
	        ! grep -qxF -- "$(DESTDIR)$$folder" build/folders_before.txt; do \
	    echo "$$folder"; folder=$${folder%/*}; \
	  done; \
	done <$(MANIFEST); } | LC_ALL=C sort -u >build/folders_made.txt
	@mv build/folders_made.txt $(MADE_FOLDERS); rm build/folders_before.txt

# Takes away what the last make install put, from the same DESTDIR.
uninstall:
	@[ -f $(MANIFEST) ] || { echo "Nessuna installazione da togliere: manca $(MANIFEST), che scrive make install." >&2; exit 1; }
	@while IFS= read -r file || [ -n "$$file" ]; do \
	  if [ -e "$(DESTDIR)$$file" ] || [ -L "$(DESTDIR)$$file" ]; then rm -f "$(DESTDIR)$$file" && echo "Tolto: $(DESTDIR)$$file"; fi; \
	done <$(MANIFEST)
	@LC_ALL=C sort -r $(MADE_FOLDERS) 2>/dev/null | while IFS= read -r folder; do \
	  rmdir "$(DESTDIR)$$folder" 2>/dev/null || true; \
	done

# build/trevano_1.0.0_amd64.deb, for `apt-get install ./build/trevano_1.0.0_amd64.deb`.
package: build
	$(call apt_install,$(PACKAGE_PACKAGES),)
	cmake --build --preset release -j $(JOBS) --target package

# What make install and the package install, checked where a user would find it.
test-package: package
	$(call apt_install,$(PACKAGE_TEST_PACKAGES),--no-install-recommends)
	tests/install/check.sh

deps-windows:
	$(call apt_install,$(WINDOWS_PACKAGES),)

# build-win32/Trevano.exe is the program, and build-win32/Trevano-1.0-win32.zip what users
# download; build-win64/ holds the x64 twins and the core tests that wine64 runs here, where
# 32-bit code cannot run.
windows: deps-windows
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j $(JOBS) --target all package
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS) --target all package

test-windows: windows
	$(call apt_install,$(WINDOWS_TEST_PACKAGES),--no-install-recommends)
	tests/windows/run.sh
	tests/install/check.sh --zip

# The corpus grows in build-fuzz/corpus from the seeds in tests/fuzz-corpus; an input that
# crashes or hangs lands in build-fuzz/artifacts/ and fails the command.
fuzz: deps
	$(call apt_install,$(FUZZ_PACKAGES),)
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)
	@mkdir -p build-fuzz/corpus build-fuzz/artifacts
	./build-fuzz/fuzz/fuzz_load -max_total_time=$(FUZZ_SECONDS) -max_len=16384 -timeout=10 \
	  -dict=fuzz/dxf.dict -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ \
	  build-fuzz/corpus tests/fuzz-corpus

fuzz-ci:
	$(MAKE) fuzz FUZZ_SECONDS=60

BENCH_PACKAGES := libbenchmark-dev libdxflib-dev pkg-config gdal-bin python3-ezdxf time

# The benchmarks, in the release build: the core in process, then the whole-process comparison.
bench: deps
	$(call apt_install,$(BENCH_PACKAGES),)
	cmake --preset release -DTREVANO_BENCH=ON >/dev/null
	cmake --build --preset release -j $(JOBS)
	./build/bench/core_bench --benchmark_min_time=0.5
	./build/bench/bodyplan_bench --benchmark_min_time=0.5
	bench/compare.sh build

clean:
	rm -rf build build-asan build-fuzz build-win32 build-win64
