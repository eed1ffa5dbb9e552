# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a build folder makes orvane_<version>_<arch>.deb
# from the install rules, with everything under /usr (so the udev rule lands in
# /usr/lib/udev/rules.d, where udev reads it). The MIME, desktop and icon databases are
# brought up to date by the file triggers that shared-mime-info, desktop-file-utils and
# the icon cache declare on their folders: the package itself runs nothing on install.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Orvane developers")
set(CPACK_PACKAGE_CONTACT "The Orvane developers <maintainers@orvane.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; the LCD's segment font is
# loaded at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dseg")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "desktop companion of a hand-held USB light meter
Orvane shows a live, clickable copy of the light meter's front panel, reads
and sets the meter's sampling time, recording period and clock, downloads and
erases its data logger, lists and charts the reading, records it once a second
into data files (*.lms) and plots and prints such files.
.
orvane-cli does the same from a terminal: it streams readings as text, CSV,
JSON lines or InfluxDB line protocol and logs unattended as a systemd user
service. orvane-uhid-meter puts the built-in simulated meter behind the
kernel's uhid driver for tests without the meter.")
include(CPack)
