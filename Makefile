# The two commands of the README, and the ones around them. Each installs what it needs from
# Debian's packages first, so that a fresh machine needs nothing else.

SHELL := /bin/bash
JOBS ?= $(shell nproc)

CORE_PACKAGES := cmake make g++ libgtest-dev libgmock-dev googletest locales python3
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev

# How long `make fuzz` feeds the load arbitrary bytes; CI gives it a minute.
FUZZ_SECONDS ?= 600

.PHONY: run test deps locale build build-asan fuzz fuzz-ci clean

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
	@./build/trevano-cli samples/scafo.dxf

test: locale build build-asan
	ctest --preset release -j $(JOBS)
	ctest --preset asan -j $(JOBS)

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

clean:
	rm -rf build build-asan build-fuzz
