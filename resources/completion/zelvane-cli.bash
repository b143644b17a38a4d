# bash completion for zelvane-cli: its commands, each command's options, the values of
# --style, --feet and --player, the encoders this build offers for --codec (asked of the tool
# itself, so the list follows its FFmpeg) and files by the extensions each place takes (songs
# for tempo).

_zelvane_cli_files()
{
    local pattern=$1
    local IFS=$'\n'
    COMPREPLY=($(compgen -f -X "!$pattern" -- "$cur") $(compgen -d -- "$cur"))
    # Directories lead on to the files inside them.
    compopt -o filenames 2>/dev/null
}

_zelvane_cli()
{
    local cur prev words cword
    if declare -F _init_completion >/dev/null 2>&1; then
        _init_completion || return
    else
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD - 1]}
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
    fi

    local charts='@(dwi|DWI|sm|SM|ssc|SSC|zlvm|ZLVM)'
    local commands='info convert motion stats pose tempo avi'

    # The command is the first word that is not an option.
    local command='' i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            break
        fi
    done

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --version --help" -- "$cur"))
        return
    fi

    case $prev in
        --style)
            COMPREPLY=($(compgen -W 'SINGLE DOUBLE COUPLE' -- "$cur"))
            return
            ;;
        --difficulty)
            COMPREPLY=($(compgen -W 'BEGINNER BASIC ANOTHER MANIAC SMANIAC EDIT' -- "$cur"))
            return
            ;;
        --feet)
            COMPREPLY=($(compgen -W 'greedy optimal' -- "$cur"))
            return
            ;;
        --player)
            COMPREPLY=($(compgen -W '1 2' -- "$cur"))
            return
            ;;
        --codec)
            local codecs
            codecs=$("${words[0]}" avi --list-codecs 2>/dev/null | cut -f1)
            COMPREPLY=($(compgen -W "$codecs" -- "$cur"))
            return
            ;;
        --model)
            _zelvane_cli_files '*.@(pmd|PMD|pmx|PMX)'
            return
            ;;
        --chart)
            _zelvane_cli_files "*.$charts"
            return
            ;;
        -o | --output)
            case $command in
                motion) _zelvane_cli_files '*.@(vmd|VMD)' ;;
                avi) _zelvane_cli_files '*.@(avi|AVI)' ;;
            esac
            return
            ;;
        --panel-size | --frame | --quality | --keyframes | --bitrate | --screen-color)
            return
            ;;
    esac

    local options
    case $command in
        info) options='--json --verbose --help' ;;
        convert) options='--verbose --help' ;;
        motion)
            options='--style --difficulty --player --model --panel-size --no-twist
                     --allow-turn --feet --verbose -o --output --help'
            ;;
        stats) options='--style --difficulty --feet --json --verbose --help' ;;
        pose) options='--chart --style --difficulty --player --frame --json --verbose --help' ;;
        tempo) options='--json --help' ;;
        avi)
            options='--style --difficulty --codec --quality --keyframes --bitrate
                     --screen-color --verbose -o --output --list-codecs --help'
            ;;
        *) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi

    case $command in
        info) _zelvane_cli_files "*.@(dwi|DWI|sm|SM|ssc|SSC|zlvm|ZLVM|pmd|PMD|pmx|PMX|vmd|VMD)" ;;
        pose)
            # The model first, then the motion.
            local positional=0
            for ((i = 2; i < cword; i++)); do
                [[ ${words[i]} == -* || ${words[i - 1]} == @(--chart|--style|--difficulty|--player|--frame) ]] ||
                    ((positional++))
            done
            if ((positional == 0)); then
                _zelvane_cli_files '*.@(pmd|PMD|pmx|PMX)'
            else
                _zelvane_cli_files '*.@(vmd|VMD)'
            fi
            ;;
        tempo)
            _zelvane_cli_files '*.@(mp3|MP3|wav|WAV|ogg|OGG|oga|OGA|opus|OPUS|flac|FLAC|m4a|M4A|aac|AAC|wma|WMA)'
            ;;
        *) _zelvane_cli_files "*.$charts" ;;
    esac
} &&
    complete -F _zelvane_cli zelvane-cli
