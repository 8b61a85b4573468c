# Shell helpers the bench scripts source that write documents on the work folder's own file system and on a
# loop-mounted ext2 made with 128-byte inodes, which keeps whole-second times.

# Makes the work folder $work, private to the user; at exit the ext2 image is unmounted and the folder removed.
make_work_folder() {
    work=$(mktemp -d)
    chmod 700 "$work"
    mounted=
    trap remove_work_folder EXIT
}

remove_work_folder() {
    [ -z "$mounted" ] || umount "$mounted" || umount -l "$mounted"
    rm -rf "$work"
}

# Writes the documents given as MB=COUNT, of COUNT unit functions, to $work/MB.nuv with bench_DocumentFileBench of
# build folder $1.
write_documents() {
    local build=$1 document
    shift
    for document in "$@"; do
        "$build/bench_DocumentFileBench" --write "$work/${document%=*}.nuv" "${document#*=}"
    done
}

# The folders of the cases in $folders, with their labels in $labels: $work/own on the work folder's own file system,
# and $work/ext2 on an ext2 image of SIZE (room for what the cases write) mounted there. Mounting takes the superuser:
# without, prints a line that says the ext2 cases are skipped.
make_case_folders() {
    local size=$1
    folders=("$work/own")
    labels=("$(findmnt -n -o FSTYPE -T "$work")")
    mkdir "$work/own"
    if [ "$(id -u)" -ne 0 ]; then
        echo "ext2 of whole-second times: skipped, mounting a file system takes the superuser"
        return
    fi
    truncate -s "$size" "$work/ext2.img"
    # (Its warning that such inodes cannot hold dates past 2038 is what is wanted here.)
    mkfs.ext2 -q -F -I 128 "$work/ext2.img" >"$work/mkfs.out" 2>&1 || { cat "$work/mkfs.out" >&2; exit 1; }
    mkdir "$work/ext2"
    mount -o loop "$work/ext2.img" "$work/ext2"
    mounted="$work/ext2"
    folders+=("$work/ext2")
    labels+=("ext2, 128-byte inodes")
}
