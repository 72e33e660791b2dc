# The two commands of the README, and the ones around them. Each installs what it needs from
# Debian's packages first, so that a fresh machine needs nothing else.

SHELL := /bin/bash
JOBS ?= $(shell nproc)

CORE_PACKAGES := cmake make g++ libgtest-dev libgmock-dev googletest locales python3

.PHONY: run test deps locale build build-asan bench clean

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
	$(call apt_install,$(CORE_PACKAGES),)

# The number tests run under an Italian LC_NUMERIC, whose decimal separator is a comma.
locale: deps
	@locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$$' || localedef -i it_IT -f UTF-8 it_IT.UTF-8

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

run: build
	@mkdir -p build/esempio
	@./build/trevano-cli samples/scafo.dxf --punti build/esempio/scafo-punti.csv \
	  --sezioni-dat build/esempio/scafo-sezioni.dat --sezioni-csv build/esempio/scafo-sezioni.csv
	@echo "Scritti: build/esempio/scafo-punti.csv, build/esempio/scafo-sezioni.dat, build/esempio/scafo-sezioni.csv"

test: locale build build-asan
	ctest --preset release -j $(JOBS)
	ctest --preset asan -j $(JOBS)

BENCH_PACKAGES := libbenchmark-dev libdxflib-dev pkg-config gdal-bin python3-ezdxf time

# The benchmarks, in the release build: the core in process, then the whole-process comparison.
bench: deps
	$(call apt_install,$(BENCH_PACKAGES),)
	cmake --preset release -DTREVANO_BENCH=ON >/dev/null
	cmake --build --preset release -j $(JOBS)
	./build/bench/core_bench --benchmark_min_time=0.5
	bench/compare.sh build

clean:
	rm -rf build build-asan
