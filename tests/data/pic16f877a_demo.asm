; Small PIC16F877A program whose words start and end inside 8-word rows: a reset vector, code from
; 0x0005, a routine in page 1 and words at the top of program memory, the configuration word (HS,
; LVP off), user IDs and EEPROM data.
        list    p=16f877a
        #include <p16f877a.inc>
        errorlevel -302
        __CONFIG _HS_OSC & _WDT_OFF & _PWRTE_ON & _BOREN_ON & _LVP_OFF & _CPD_OFF & _WRT_OFF & _DEBUG_OFF & _CP_OFF
        __IDLOCS 0x877A

        org     0x0000
        goto    start
        org     0x0005
start:
        movlw   HIGH page1
        movwf   PCLATH
        goto    page1

        org     0x0803
page1:
        bsf     STATUS, RP0
        clrf    TRISD
        bcf     STATUS, RP0
        movlw   0x5A
        movwf   PORTD
        call    top
        goto    page1

        org     0x1FFA
top:
        movlw   0xFF
        xorwf   PORTD, F
        nop
        return

        org     0x2100
        de      "87xA", 0x00, 0x3C
        end
