# The two commands of the README, and the ones around them. Each installs what it needs from
# Debian's packages first, so that a fresh machine needs nothing else.

SHELL := /bin/bash
JOBS ?= $(shell nproc)

CORE_PACKAGES := cmake make g++ libgtest-dev libgmock-dev googletest locales python3
# The desktop program: Qt 6 Widgets (with its platforms), Qt's Italian texts, the dialog font.
GUI_PACKAGES := qt6-base-dev qt6-translations-l10n fonts-dejavu-core fonts-dejavu-extra

.PHONY: run demo test deps locale build build-asan clean

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

# The number tests run under an Italian LC_NUMERIC, whose decimal separator is a comma.
locale: deps
	@locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$$' || localedef -i it_IT -f UTF-8 it_IT.UTF-8

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

# The dialog program; where there is no display it says so, and the converter shows the
# sample drawing instead.
run: build
	@./build/Trevano || { echo "Al suo posto, il convertitore sul disegno di esempio:"; $(MAKE) --no-print-directory demo; }

# The converter on the sample drawing: its counts and the three forms under build/esempio/.
demo: build
	@mkdir -p build/esempio
	@./build/trevano-cli samples/scafo.dxf --punti build/esempio/scafo-punti.csv \
	  --sezioni-dat build/esempio/scafo-sezioni.dat --sezioni-csv build/esempio/scafo-sezioni.csv
	@echo "Scritti: build/esempio/scafo-punti.csv, build/esempio/scafo-sezioni.dat, build/esempio/scafo-sezioni.csv"

test: locale build build-asan
	ctest --preset release -j $(JOBS)
	ctest --preset asan -j $(JOBS)

clean:
	rm -rf build build-asan
