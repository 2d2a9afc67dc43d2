; Small PIC16F88 program whose words cross 4-word groups and a 32-word row: a reset vector, code
; from 0x001D, words at the top of program memory, both configuration words (internal oscillator
; with the MCLR pin kept as MCLR, LVP off; fail-safe clock monitor and two-speed start-up off),
; user IDs and EEPROM data.
        list    p=16f88
        #include <p16f88.inc>
        errorlevel -302
        __CONFIG _CONFIG1, _INTRC_IO & _MCLRE_ON & _LVP_OFF & _WDT_OFF & _PWRTE_ON & _BOREN_OFF & _CPD_OFF & _WRT_OFF & _DEBUG_OFF & _CCPMX_RB0 & _CP_OFF
        __CONFIG _CONFIG2, _FCMEN_OFF & _IESO_OFF
        __IDLOCS 0x0088

        org     0x0000
        goto    start
        org     0x001D
start:
        bsf     STATUS, RP0
        movlw   0x70
        movwf   OSCCON
        clrf    ANSEL
        clrf    TRISB
        bcf     STATUS, RP0
        movlw   0x88
loop:
        movwf   PORTB
        call    top
        goto    loop

        org     0x0FFD
top:
        xorlw   0xFF
        nop
        return

        org     0x2100
        de      "88", 0x00, 0x12, 0x34
        end
