object Form1: TFuzzForm
  WideCaption = 'x'#8364#26085#26412'y'#233 + ' and '#128512
  object Control1: TFuzzControl
    WideCaption = #$20AC'uro'
    Caption = #8364
  end
end
